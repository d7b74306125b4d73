#include "platform/ui/ribbon.h"

#include "platform/ui/appstyle.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor tabRowColor(255, 255, 255);
const QColor panelColor(248, 248, 248);
const QColor borderColor(213, 213, 213);

QString ribbonStyleSheet()
{
    const QString accent = accentColor().name();
    const QString light = lightSelectionColor().name();
    return QStringLiteral(R"(
#ribbonAppButton { background: %1; color: white; border: none; padding: 5px 18px; }
#ribbonAppButton:hover { background: #1a87d6; }
#ribbonAppButton:pressed { background: #005a9e; }
#ribbonTabBar { background: transparent; }
#ribbonTabBar::tab { background: transparent; color: #444444; border: 1px solid transparent;
    border-bottom: none; padding: 4px 14px 5px 14px; margin: 0 1px; }
#ribbonTabBar::tab:selected { background: %3; color: %1; border-color: %4; }
#ribbonTabBar::tab:hover:!selected { color: %1; }
#ribbonPanels { background: %3; border: none; border-bottom: 1px solid %4; }
#ribbonGroupTitle { color: #666666; padding: 1px 2px 2px 2px; }
#ribbonGroupSeparator { background: #dadada; border: none; margin: 2px 0 4px 0; }
#ribbonSubGroupSeparator { background: #e3e3e3; border: none; }
QToolButton[ribbonButton="true"] { background: transparent; border: 1px solid transparent;
    padding: 2px 3px 1px 3px; color: #262626; }
QToolButton[ribbonButton="true"]:hover { background: #e5f1fb; border-color: %2; }
QToolButton[ribbonButton="true"]:checked { background: %2; border-color: #99c9ef; }
QToolButton[ribbonButton="true"]:pressed { background: #a2cff1; border-color: #62a2e4; }
QToolButton[ribbonButton="true"]:disabled { color: #a0a0a0; }
QToolButton[ribbonMenuButton="true"] { padding-bottom: 9px; }
QToolButton[ribbonMenuButton="true"]::menu-indicator { subcontrol-origin: padding;
    subcontrol-position: bottom center; bottom: 1px; }
)")
        .arg(accent, light, panelColor.name(), borderColor.name());
}

} // namespace

Ribbon::Ribbon(QWidget *parent)
    : QWidget(parent)
    , m_appButton(new QToolButton)
    , m_tabBar(new QTabBar)
    , m_panels(new QStackedWidget)
{
    setObjectName(QStringLiteral("ribbon"));
    setStyleSheet(ribbonStyleSheet());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_appButton->setObjectName(QStringLiteral("ribbonAppButton"));
    m_appButton->setText(QStringLiteral("Arquivo"));
    m_appButton->setToolTip(QStringLiteral("Arquivo"));
    m_appButton->setFocusPolicy(Qt::NoFocus);
    m_appButton->setCursor(Qt::PointingHandCursor);

    m_tabBar->setObjectName(QStringLiteral("ribbonTabBar"));
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_tabBar->setFocusPolicy(Qt::NoFocus);
    m_panels->setObjectName(QStringLiteral("ribbonPanels"));

    auto *tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 0, 0);
    tabRow->setSpacing(6);
    tabRow->addWidget(m_appButton);
    tabRow->addWidget(m_tabBar, 0, Qt::AlignBottom);
    tabRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(tabRow);
    // The line between the tab strip and the panels is painted in this gap,
    // open under the current tab (see paintEvent).
    layout->addSpacing(1);
    layout->addWidget(m_panels);

    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int index) {
        m_panels->setCurrentIndex(index);
        update();
    });
    connect(m_appButton, &QToolButton::clicked, this, [this] { appMenu()->open(); });
}

Ribbon::~Ribbon()
{
    // Once opened, the menu lives in the window rather than in the ribbon.
    if (m_appMenu && m_appMenu->parent() != this)
        delete m_appMenu;
}

RibbonTab *Ribbon::addTab(const QString &title)
{
    auto *tab = new RibbonTab(title);
    m_panels->addWidget(tab);
    m_tabBar->addTab(title);
    return tab;
}

int Ribbon::tabCount() const
{
    return m_panels->count();
}

RibbonTab *Ribbon::tab(int index) const
{
    return qobject_cast<RibbonTab *>(m_panels->widget(index));
}

int Ribbon::currentTab() const
{
    return m_tabBar->currentIndex();
}

void Ribbon::setCurrentTab(int index)
{
    m_tabBar->setCurrentIndex(index);
}

RibbonAppMenu *Ribbon::appMenu()
{
    if (!m_appMenu)
        m_appMenu = new RibbonAppMenu(this);
    return m_appMenu;
}

void Ribbon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), tabRowColor);
    const int lineY = m_panels->geometry().top() - 1;
    painter.fillRect(QRect(0, lineY, width(), 1), borderColor);
    const int current = m_tabBar->currentIndex();
    if (current >= 0) {
        QRect tabRect = m_tabBar->tabRect(current);
        tabRect.moveTopLeft(m_tabBar->mapTo(this, tabRect.topLeft()));
        // Leave the tab's own side borders in place and open the line between them.
        painter.fillRect(QRect(tabRect.left() + 2, lineY, tabRect.width() - 4, 1), panelColor);
    }
}
