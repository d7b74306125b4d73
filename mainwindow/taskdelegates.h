#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

// The task grid: empty text when there is nothing to show.
class TaskGridView : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;
    static QString emptyText() { return QStringLiteral("<Sem dados para exibir>"); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Cells of the task grid: no focus rectangle, a horizontal line under each
// row, text cut with an ellipsis and shown whole in a hint when it does not
// fit, icons centred, and a progress bar for the progress column.
class TaskCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
    // True when the cell's text does not fit its width.
    static bool isElided(const QStyleOptionViewItem &option, const QModelIndex &index);
};

void configureTaskGrid(QTableView *view);
