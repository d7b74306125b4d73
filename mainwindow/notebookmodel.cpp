#include "mainwindow/notebookmodel.h"

#include "storage/dataset.h"

int NotebookModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant NotebookModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_data->rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_data->value(index.row(), QStringLiteral("NAME"));
    case IdRole:
        return m_data->value(index.row(), QStringLiteral("ID"));
    case QtdRole:
        return m_data->value(index.row(), QStringLiteral("QTD"));
    case ImageIndexRole:
        return m_data->value(index.row(), QStringLiteral("IMAGEINDEX"));
    default:
        return {};
    }
}
