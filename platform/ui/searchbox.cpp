#include "platform/ui/searchbox.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Drawn when no icon theme provides a magnifier, so the button never goes blank.
QIcon drawnMagnifier()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(35, 38, 41), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawEllipse(QRectF(5, 5, 16, 16));
    painter.drawLine(QPointF(19, 19), QPointF(27, 27));
    painter.end();
    return QIcon(pixmap);
}

QIcon magnifierIcon()
{
    for (const char *name : {"edit-find", "system-search"}) {
        const QIcon icon = QIcon::fromTheme(QLatin1String(name));
        if (!icon.isNull())
            return icon;
    }
    return drawnMagnifier();
}

} // namespace

SearchBox::SearchBox(QWidget *parent)
    : QLineEdit(parent)
    , m_searchAction(new QAction(magnifierIcon(), QStringLiteral("Pesquisar"), this))
{
    m_searchAction->setObjectName(QStringLiteral("Button"));
    addAction(m_searchAction, QLineEdit::TrailingPosition);
    connect(m_searchAction, &QAction::triggered, this, &SearchBox::buttonClicked);
    connect(this, &QObject::objectNameChanged, m_searchAction,
            [this](const QString &name) { m_searchAction->setObjectName(name + QStringLiteral("Button")); });
}

void SearchBox::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    emit keyPressed(event, handled);
    if (handled) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
