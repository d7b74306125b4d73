#include "platform/ui/ribbonappmenu.h"

#include "platform/ui/appstyle.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The column is dark blue, so the dark Breeze arrow is repainted white.
QIcon whiteBackArrow()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("go-previous"));
    if (themed.isNull())
        return QIcon();
    QPixmap pixmap = themed.pixmap(QSize(24, 24));
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), Qt::white);
    painter.end();
    return QIcon(pixmap);
}

QString appMenuStyleSheet()
{
    const QString accent = accentColor().name();
    const QString light = lightSelectionColor().name();
    return QStringLiteral(R"(
RibbonAppMenu { background: white; }
#ribbonAppMenuColumn { background: %1; border: none; }
#ribbonAppMenuColumn QPushButton, #ribbonAppMenuBack {
    color: white; background: transparent; border: none; text-align: left;
    padding: 8px 10px 8px 26px; font-size: 11pt; }
#ribbonAppMenuBack { padding: 6px; margin: 10px 0 14px 14px; border: 2px solid white; border-radius: 17px; }
#ribbonAppMenuColumn QPushButton:hover, #ribbonAppMenuBack:hover { background: #1a87d6; }
#ribbonAppMenuColumn QPushButton:checked, #ribbonAppMenuColumn QPushButton:pressed { background: #005a9e; }
#ribbonAppMenuColumn QPushButton:disabled { color: %2; }
#ribbonAppMenuLine { background: #4d9bd6; border: none; margin: 8px 18px; }
#ribbonAppMenuTitle { color: #333333; font-size: 22pt; font-weight: 300; padding-bottom: 12px; }
)")
        .arg(accent, light);
}

} // namespace

RibbonAppMenu::RibbonAppMenu(QWidget *anchor)
    : QWidget(anchor)
    , m_anchor(anchor)
    , m_back(new QToolButton)
    , m_pageButtons(new QVBoxLayout)
    , m_commandButtons(new QVBoxLayout)
    , m_pageGroup(new QButtonGroup(this))
    , m_title(new QLabel)
    , m_pages(new QStackedWidget)
{
    setObjectName(QStringLiteral("ribbonAppMenu"));
    setAttribute(Qt::WA_StyledBackground);
    setAutoFillBackground(true);
    setStyleSheet(appMenuStyleSheet());
    hide();

    auto *column = new QFrame;
    column->setObjectName(QStringLiteral("ribbonAppMenuColumn"));
    column->setFixedWidth(170);

    m_back->setObjectName(QStringLiteral("ribbonAppMenuBack"));
    m_back->setToolTip(QStringLiteral("Voltar"));
    m_back->setIcon(whiteBackArrow());
    if (m_back->icon().isNull())
        m_back->setText(QStringLiteral("←"));
    m_back->setIconSize(QSize(20, 20));
    m_back->setCursor(Qt::PointingHandCursor);
    connect(m_back, &QToolButton::clicked, this, &RibbonAppMenu::close);

    m_pageButtons->setSpacing(0);
    m_commandButtons->setSpacing(0);
    auto *line = new QFrame;
    line->setObjectName(QStringLiteral("ribbonAppMenuLine"));
    line->setFixedHeight(1 + 16);

    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    columnLayout->addWidget(m_back, 0, Qt::AlignLeft);
    columnLayout->addLayout(m_pageButtons);
    columnLayout->addWidget(line);
    columnLayout->addLayout(m_commandButtons);
    columnLayout->addStretch(1);

    m_title->setObjectName(QStringLiteral("ribbonAppMenuTitle"));
    m_pages->setObjectName(QStringLiteral("ribbonAppMenuPages"));
    auto *right = new QVBoxLayout;
    right->setContentsMargins(36, 20, 36, 24);
    right->setSpacing(0);
    right->addWidget(m_title);
    right->addWidget(m_pages, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(column);
    layout->addLayout(right, 1);

    connect(m_pageGroup, &QButtonGroup::idClicked, this, &RibbonAppMenu::setCurrentPage);
}

QPushButton *RibbonAppMenu::addPage(const QString &title, QWidget *page)
{
    const int index = m_pages->addWidget(page);
    m_titles.append(title);

    auto *button = new QPushButton(title);
    button->setObjectName(page->objectName().isEmpty() ? QStringLiteral("ribbonAppMenuPage%1").arg(index)
                                                       : page->objectName() + QStringLiteral("PageButton"));
    button->setCheckable(true);
    button->setCursor(Qt::PointingHandCursor);
    m_pageGroup->addButton(button, index);
    m_pageButtons->addWidget(button);
    if (index == 0)
        setCurrentPage(0);
    return button;
}

QPushButton *RibbonAppMenu::addCommand(QAction *action)
{
    auto *button = new QPushButton;
    button->setObjectName(action->objectName());
    button->setCursor(Qt::PointingHandCursor);
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setIcon(action->icon());
        button->setToolTip(action->toolTip());
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
    };
    follow();
    connect(action, &QAction::changed, button, follow);
    connect(action, &QAction::visibleChanged, button, follow);
    // Closing first lets commands such as "Sair" tear the window down safely.
    connect(button, &QPushButton::clicked, action, [this, action] {
        close();
        action->trigger();
    });
    m_commandButtons->addWidget(button);
    return button;
}

int RibbonAppMenu::pageCount() const
{
    return m_pages->count();
}

int RibbonAppMenu::currentPage() const
{
    return m_pages->currentIndex();
}

QWidget *RibbonAppMenu::page(int index) const
{
    return m_pages->widget(index);
}

void RibbonAppMenu::setCurrentPage(int index)
{
    if (index < 0 || index >= m_pages->count())
        return;
    if (QAbstractButton *button = m_pageGroup->button(index))
        button->setChecked(true);
    m_title->setText(m_titles.value(index));
    if (m_pages->currentIndex() == index)
        return;
    m_pages->setCurrentIndex(index);
    emit currentPageChanged(index);
}

void RibbonAppMenu::attachToWindow()
{
    QWidget *host = m_anchor ? m_anchor->window() : window();
    if (host == this || host == nullptr)
        return;
    if (m_host != host) {
        if (m_host)
            m_host->removeEventFilter(this);
        m_host = host;
        m_host->installEventFilter(this);
    }
    if (parentWidget() != host)
        setParent(host);
    setGeometry(host->rect());
}

void RibbonAppMenu::open()
{
    attachToWindow();
    setCurrentPage(0);
    const bool wasOpen = isOpen();
    if (!wasOpen)
        m_focusBeforeOpening = QApplication::focusWidget();
    show();
    raise();
    if (QAbstractButton *first = m_pageGroup->button(0))
        first->setFocus(Qt::OtherFocusReason);
    else
        m_back->setFocus(Qt::OtherFocusReason);
    if (!wasOpen)
        emit opened();
}

void RibbonAppMenu::close()
{
    if (!isOpen())
        return;
    hide();
    // Hiding would otherwise pass the focus to whichever widget comes next.
    if (m_focusBeforeOpening && m_focusBeforeOpening->isVisible())
        m_focusBeforeOpening->setFocus(Qt::OtherFocusReason);
    m_focusBeforeOpening = nullptr;
    emit closed();
}

bool RibbonAppMenu::isOpen() const
{
    return !isHidden();
}

bool RibbonAppMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host && event->type() == QEvent::Resize)
        setGeometry(m_host->rect());
    return QWidget::eventFilter(watched, event);
}

void RibbonAppMenu::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
