#include "mainwindow/taskdelegates.h"

#include "mainwindow/taskmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

void TaskGridView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (model() && model()->rowCount() == 0) {
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect().adjusted(0, 12, 0, 0), Qt::AlignHCenter | Qt::AlignTop, emptyText());
    }
}

namespace {

int textMargin()
{
    return QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
}

} // namespace

bool TaskCellDelegate::isElided(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return false;
    QFont font = option.font;
    const QVariant f = index.data(Qt::FontRole);
    if (f.isValid())
        font = f.value<QFont>();
    return QFontMetrics(font).horizontalAdvance(text) > option.rect.width() - 2 * textMargin();
}

void TaskCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.state &= ~QStyle::State_HasFocus;
    opt.textElideMode = Qt::ElideRight;

    const int column = index.column();
    if (column == TaskModel::dbcPriority || column == TaskModel::dbcFlagStatus) {
        const QIcon icon = opt.icon;
        opt.icon = QIcon();
        opt.features &= ~QStyleOptionViewItem::HasDecoration;
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        if (!icon.isNull()) {
            const QRect r(opt.rect.center().x() - 8, opt.rect.center().y() - 8, 16, 16);
            icon.paint(painter, r);
        }
    } else if (column == TaskModel::dbcCompleted) {
        opt.text.clear();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        QStyleOptionProgressBar bar;
        bar.rect = opt.rect.adjusted(3, 3, -3, -3);
        bar.minimum = 0;
        bar.maximum = 100;
        bar.progress = std::clamp(index.data(TaskModel::ProgressRole).toInt(), 0, 100);
        bar.text = index.data(Qt::DisplayRole).toString();
        bar.textVisible = true;
        bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        bar.palette = opt.palette;
        bar.fontMetrics = opt.fontMetrics;
        if (index.data(TaskModel::StatusRole).toInt() == 3)
            bar.palette.setColor(QPalette::Text, TaskModel::stBaixadoColor());
        painter->save();
        painter->setFont(opt.font);
        QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter, opt.widget);
        painter->restore();
    } else {
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    }
    // Horizontal grid lines only.
    painter->save();
    painter->setPen(QColor(225, 225, 225));
    painter->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
    painter->restore();
}

bool TaskCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                 const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip) {
        if (isElided(option, index))
            QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view);
        else
            QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void configureTaskGrid(QTableView *view)
{
    view->setItemDelegate(new TaskCellDelegate(view));
    view->setSortingEnabled(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setAlternatingRowColors(false);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideRight);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(24);
    view->setDragEnabled(true);

    QHeaderView *header = view->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(35);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c : {TaskModel::dbcPriority, TaskModel::dbcFlagStatus}) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, 35);
    }
    for (int c : {TaskModel::dbcDateCreated, TaskModel::dbcDateStart, TaskModel::dbcCompleted, TaskModel::dbcDateDue,
                  TaskModel::dbcDateCompleted}) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, 150);
    }
    header->setSectionResizeMode(TaskModel::dbcSubject, QHeaderView::Stretch);
    view->setColumnHidden(TaskModel::dbcID, true);
    view->setColumnHidden(TaskModel::dbcOrdem, true);
}
