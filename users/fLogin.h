#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Entrar": login name and password. Esc closes nothing; the title bar's
// close box counts as "Cancelar".
class TfrmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget *parent = nullptr);

    QLineEdit *edtUsuario;
    QLineEdit *edtSenha;
    QWidget *pnlError;
    QLabel *LblErro;
    QPushButton *btOK;
    QPushButton *btCancelar;

    void showError(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
