#include "mainwindow/uNovoCaderno.h"

#include "storage/dataset.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmNovoCaderno::TfrmNovoCaderno(DataSet *notebooks, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNovoCaderno"));
    setWindowTitle(QStringLiteral("Adicionar Caderno"));
    setFixedSize(319, 115);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Caderno")));
    edtNome = new QLineEdit(notebooks->value(QStringLiteral("NAME")).toString());
    edtNome->setObjectName(QStringLiteral("edtNome"));
    edtNome->setMaxLength(50);
    connect(edtNome, &QLineEdit::textChanged, this,
            [notebooks](const QString &text) { notebooks->setValue(QStringLiteral("NAME"), text); });
    layout->addWidget(edtNome);

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
