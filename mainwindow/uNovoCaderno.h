#pragma once

#include <QDialog>

class DataSet;
class QLineEdit;

// The notebook name dialog. It edits the NAME of the notebook list's
// current row directly, as the user types.
class TfrmNovoCaderno : public QDialog
{
    Q_OBJECT
public:
    TfrmNovoCaderno(DataSet *notebooks, QWidget *parent = nullptr);

    QLineEdit *edtNome;
};
