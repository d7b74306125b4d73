#pragma once

#include "mainwindow/datasetmodel.h"

// The notebook list as the pane shows it: one column, the name, with the
// count and icon number as roles the drawing reads.
class NotebookModel : public DataSetModel
{
    Q_OBJECT
public:
    enum Role { IdRole = Qt::UserRole + 1, QtdRole, ImageIndexRole };
    using DataSetModel::DataSetModel;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
};
