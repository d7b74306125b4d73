#pragma once

#include <QAbstractTableModel>

class DataSet;

// Base of the item models over a DataSet: keeps the views in step with the
// rows the list holds, whatever changes them.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DataSetModel(DataSet *data, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    DataSet *dataSet() const { return m_data; }

protected:
    DataSet *m_data;
};
