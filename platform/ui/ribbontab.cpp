#include "platform/ui/ribbontab.h"

#include "platform/ui/ribbongroup.h"

#include <QFrame>
#include <QHBoxLayout>

RibbonTab::RibbonTab(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(title)
    , m_layout(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("ribbonTab"));
    m_layout->setContentsMargins(3, 3, 3, 2);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
}

RibbonGroup *RibbonTab::addGroup(const QString &title)
{
    auto *group = new RibbonGroup(title, this);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("ribbonGroupSeparator"));
    line->setFrameShape(QFrame::NoFrame);
    line->setFixedWidth(1);

    // Keep the stretch last so groups pack to the left.
    const int at = m_layout->count() - 1;
    m_layout->insertWidget(at, group);
    m_layout->insertWidget(at + 1, line);
    m_layout->insertSpacing(at + 2, 2);
    m_groups.append(group);
    return group;
}
