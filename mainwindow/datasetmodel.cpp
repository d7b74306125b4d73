#include "mainwindow/datasetmodel.h"

#include "storage/dataset.h"

DataSetModel::DataSetModel(DataSet *data, QObject *parent) : QAbstractTableModel(parent), m_data(data)
{
    connect(data, &DataSet::aboutToReset, this, [this] { beginResetModel(); });
    connect(data, &DataSet::wasReset, this, [this] { endResetModel(); });
    connect(data, &DataSet::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(data, &DataSet::rowInserted, this, [this] { endInsertRows(); });
    connect(data, &DataSet::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(data, &DataSet::rowRemoved, this, [this] { endRemoveRows(); });
    connect(data, &DataSet::rowChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_data->rowCount();
}
