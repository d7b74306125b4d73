#include "mainwindow/notebookdelegate.h"

#include "mainwindow/notebookmodel.h"
#include "mainwindow/ribbonimages.h"

#include <QApplication>
#include <QPainter>

namespace {

QFont badgeFont(const QFont &cellFont)
{
    QFont f = cellFont;
    f.setBold(true);
    return f;
}

bool hasBadge(const QVariant &count)
{
    return count.isValid() && !count.isNull() && count.toLongLong() > 0;
}

} // namespace

QRect NotebookDelegate::badgeRect(const QRect &cell, const QFont &cellFont, const QVariant &count)
{
    if (!hasBadge(count))
        return {};
    const qint64 n = count.toLongLong();
    const QFontMetrics metrics(badgeFont(cellFont));
    const QString text = QString::number(n);
    const int height = metrics.height() + 4;
    const int width = (n >= 1 && n <= 9) ? height : metrics.horizontalAdvance(text) + 12;
    const int right = cell.right() + 1 - 2; // right edge 2 pixels left of the cell's
    const int top = cell.top() + (cell.height() - height) / 2;
    return QRect(right - width, top, width, height);
}

void NotebookDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const QRect cell = option.rect;
    const bool focused = option.state & QStyle::State_Selected;
    const QPalette &pal = option.palette;
    painter->fillRect(cell, focused ? pal.color(QPalette::Highlight).lighter(185) : pal.color(QPalette::Base));

    const int imageIndex = index.data(NotebookModel::ImageIndexRole).toInt();
    const QRect iconRect(cell.left() + 3, cell.top() + (cell.height() - 16) / 2, 16, 16);
    if (imageIndex >= 0 && imageIndex < images::notebookCount())
        images::notebook(imageIndex).paint(painter, iconRect);

    const QVariant count = index.data(NotebookModel::QtdRole);
    QFont nameFont = option.font;
    nameFont.setBold(hasBadge(count));
    painter->setFont(nameFont);
    painter->setPen(pal.color(QPalette::Text));
    const QRect nameRect(cell.left() + 23, cell.top(), cell.width() - 23, cell.height());
    const QString name = QFontMetrics(nameFont).elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                            nameRect.width());
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);

    const QRect badge = badgeRect(cell, option.font, count);
    if (!badge.isNull()) {
        const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(highlight);
        painter->setBrush(highlight);
        const qint64 n = count.toLongLong();
        if (n <= 9)
            painter->drawEllipse(badge);
        else
            painter->drawRoundedRect(badge, 6, 6); // corners of 12 by 12 pixels
        painter->setFont(badgeFont(option.font));
        painter->setPen(Qt::white);
        painter->setBrush(Qt::NoBrush);
        painter->drawText(badge, Qt::AlignCenter, QString::number(n));
    }
    painter->restore();
}

QSize NotebookDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), std::max(24, QFontMetrics(option.font).height() + 10));
}
