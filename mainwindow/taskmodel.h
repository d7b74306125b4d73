#pragma once

#include "mainwindow/datasetmodel.h"

#include <QColor>
#include <QFont>

// The task list as the grid shows it, one column per field, completed tasks
// struck through in grey in every column.
class TaskModel : public DataSetModel
{
    Q_OBJECT
public:
    enum Column {
        dbcPriority, dbcSubject, dbcDateCreated, dbcDateStart, dbcCompleted, dbcDateDue, dbcDateCompleted,
        dbcFlagStatus, dbcID, dbcOrdem, ColumnCount
    };
    enum Role { ProgressRole = Qt::UserRole + 1, StatusRole };

    using DataSetModel::DataSetModel;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString fieldOf(int column);
    // The style of a completed task's row: struck through, grey.
    static QFont stBaixadoFont();
    static QColor stBaixadoColor() { return QColor(128, 128, 128); }
    static QString formatDate(const QVariant &value);
};
