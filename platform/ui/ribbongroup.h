#pragma once

#include <QWidget>

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;

// One group of a ribbon tab: a single row of large buttons (32x32 icon above the
// caption) with the group's title underneath, like "Barra Principal".
class RibbonGroup : public QWidget {
    Q_OBJECT
public:
    explicit RibbonGroup(const QString &title, QWidget *parent = nullptr);

    QString title() const;

    // The button follows the action (text, icon, tooltip, enabled, checked, visible)
    // and is a toggle button when the action is checkable. Its objectName is the
    // action's objectName.
    QToolButton *addLargeButton(QAction *action);
    // A thin vertical line that starts a sub-group.
    void addSeparator();
    // Any other control, e.g. a search box, centred vertically in the row.
    void addWidget(QWidget *widget);
    // A button whose click drops the menu down (the action itself is not triggered).
    // With iconOnly the caption is left out and only the large icon shows.
    QToolButton *addMenuButton(QAction *action, QMenu *menu, bool iconOnly);

private:
    QToolButton *makeButton(QAction *action);

    QHBoxLayout *m_row;
    QLabel *m_title;
};
