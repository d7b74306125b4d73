#pragma once

#include "platform/ui/ribbonappmenu.h"
#include "platform/ui/ribbongroup.h"
#include "platform/ui/ribbontab.h"

#include <QPointer>
#include <QWidget>

class QStackedWidget;
class QTabBar;
class QToolButton;

// An Office-like ribbon: the "Arquivo" application button and the tab strip on top,
// the current tab's groups of large buttons below. No quick-access toolbar and no
// collapse button.
class Ribbon : public QWidget {
    Q_OBJECT
public:
    explicit Ribbon(QWidget *parent = nullptr);
    ~Ribbon() override;

    RibbonTab *addTab(const QString &title);
    int tabCount() const;
    RibbonTab *tab(int index) const;
    int currentTab() const;
    void setCurrentTab(int index);

    // The "Arquivo" button (objectName "ribbonAppButton") opens this menu.
    RibbonAppMenu *appMenu();
    QToolButton *appButton() const { return m_appButton; }
    QTabBar *tabBar() const { return m_tabBar; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QToolButton *m_appButton;
    QTabBar *m_tabBar;
    QStackedWidget *m_panels;
    QPointer<RibbonAppMenu> m_appMenu;
};
