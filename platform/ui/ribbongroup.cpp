#include "platform/ui/ribbongroup.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int largeIconSize = 32;
}

RibbonGroup::RibbonGroup(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_row(new QHBoxLayout)
    , m_title(new QLabel(title, this))
{
    setObjectName(QStringLiteral("ribbonGroup"));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(1);

    m_title->setObjectName(QStringLiteral("ribbonGroupTitle"));
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 1, 3, 1);
    layout->setSpacing(0);
    layout->addLayout(m_row, 1);
    layout->addWidget(m_title);
}

QString RibbonGroup::title() const
{
    return m_title->text();
}

QToolButton *RibbonGroup::makeButton(QAction *action)
{
    auto *button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setObjectName(action->objectName());
    button->setProperty("ribbonButton", true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(largeIconSize, largeIconSize));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    // QToolButton follows the action's text, icon, state and tooltip, but not its visibility.
    button->setVisible(action->isVisible());
    connect(action, &QAction::visibleChanged, button, [button, action] { button->setVisible(action->isVisible()); });
    m_row->addWidget(button);
    return button;
}

QToolButton *RibbonGroup::addLargeButton(QAction *action)
{
    return makeButton(action);
}

QToolButton *RibbonGroup::addMenuButton(QAction *action, QMenu *menu, bool iconOnly)
{
    QToolButton *button = makeButton(action);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setProperty("ribbonMenuButton", true);
    if (iconOnly)
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

void RibbonGroup::addSeparator()
{
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("ribbonSubGroupSeparator"));
    line->setFrameShape(QFrame::NoFrame);
    line->setFixedWidth(1);
    auto *holder = new QVBoxLayout;
    holder->setContentsMargins(4, 4, 4, 4);
    holder->addWidget(line);
    m_row->addLayout(holder);
}

void RibbonGroup::addWidget(QWidget *widget)
{
    widget->setParent(this);
    m_row->addWidget(widget, 0, Qt::AlignVCenter);
}
