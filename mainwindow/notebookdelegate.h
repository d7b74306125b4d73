#pragma once

#include <QStyledItemDelegate>

// Draws a notebook row entirely: icon, name (bold while it has open tasks)
// and the badge with the count of open tasks.
class NotebookDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the badge for count goes in a cell; empty when there is no badge.
    static QRect badgeRect(const QRect &cell, const QFont &cellFont, const QVariant &count);
};
