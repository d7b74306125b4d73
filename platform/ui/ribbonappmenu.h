#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QAction;
class QButtonGroup;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;

// The page the "Arquivo" button opens in front of the whole window: a coloured
// column on the left with a back arrow, page buttons ("Usuários") and, below a line,
// command buttons ("Sair"); the current page's widget fills the rest.
// Closed by the back arrow or Esc.
class RibbonAppMenu : public QWidget {
    Q_OBJECT
public:
    // anchor: the widget whose top-level window the menu covers when opened.
    explicit RibbonAppMenu(QWidget *anchor);

    // The first page added is the one shown each time the menu opens. The returned
    // button is named after the page's objectName + "PageButton", or
    // "ribbonAppMenuPage<N>" when the page has no name.
    QPushButton *addPage(const QString &title, QWidget *page);
    // Clicking closes the menu, then triggers the action. The button is named after
    // the action's objectName and follows its text, icon, enabled state and visibility.
    QPushButton *addCommand(QAction *action);

    int pageCount() const;
    int currentPage() const;
    void setCurrentPage(int index);
    QWidget *page(int index) const;

    void open();
    // Hides the menu (deliberately hides QWidget::close(), which would not emit closed()).
    void close();
    bool isOpen() const;

signals:
    void opened();
    void closed();
    void currentPageChanged(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void attachToWindow();

    QPointer<QWidget> m_anchor;
    QPointer<QWidget> m_host;
    QPointer<QWidget> m_focusBeforeOpening;
    QToolButton *m_back;
    QVBoxLayout *m_pageButtons;
    QVBoxLayout *m_commandButtons;
    QButtonGroup *m_pageGroup;
    QLabel *m_title;
    QStackedWidget *m_pages;
    QList<QString> m_titles;
};
