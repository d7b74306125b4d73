#include "users/fLogin.h"

#include "platform/ui/appstyle.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmLogin::TfrmLogin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Entrar"));
    setFixedSize(360, 215);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(4);

    auto *header = new QWidget;
    header->setObjectName(QStringLiteral("pnlHeader"));
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(12, 8, 12, 6);
    auto *texts = new QVBoxLayout;
    auto *title = new QLabel(QStringLiteral("Acesso ao Orbilane"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    texts->addWidget(title);
    texts->addWidget(new QLabel(QStringLiteral("Digite seu nome de usuário e senha para acessar.")));
    headerLayout->addLayout(texts, 1);
    auto *icon = new QLabel;
    icon->setPixmap(QIcon::fromTheme(QStringLiteral("dialog-password"),
                                     QIcon::fromTheme(QStringLiteral("system-users"))).pixmap(32, 32));
    headerLayout->addWidget(icon);
    layout->addWidget(header);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto *fields = new QGridLayout;
    fields->setContentsMargins(16, 4, 16, 0);
    edtUsuario = new QLineEdit;
    edtUsuario->setObjectName(QStringLiteral("edtUsuario"));
    edtSenha = new QLineEdit;
    edtSenha->setObjectName(QStringLiteral("edtSenha"));
    edtSenha->setEchoMode(QLineEdit::Password);
    fields->addWidget(new QLabel(QStringLiteral("Usuário:")), 0, 0);
    fields->addWidget(edtUsuario, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Senha:")), 1, 0);
    fields->addWidget(edtSenha, 1, 1);
    layout->addLayout(fields);

    pnlError = new QWidget;
    pnlError->setObjectName(QStringLiteral("pnlError"));
    auto *errorLayout = new QHBoxLayout(pnlError);
    errorLayout->setContentsMargins(16, 0, 16, 0);
    auto *errorIcon = new QLabel;
    errorIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(16, 16));
    LblErro = new QLabel;
    LblErro->setObjectName(QStringLiteral("LblErro"));
    LblErro->setWordWrap(true);
    QPalette red = LblErro->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    LblErro->setPalette(red);
    errorLayout->addWidget(errorIcon);
    errorLayout->addWidget(LblErro, 1);
    pnlError->hide();
    layout->addWidget(pnlError);
    layout->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch(1);
    btOK = new QPushButton(QStringLiteral("OK"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"));
    btCancelar->setObjectName(QStringLiteral("btCancelar"));
    btCancelar->setAutoDefault(false);
    buttons->addWidget(btOK);
    buttons->addWidget(btCancelar);
    layout->addLayout(buttons);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLogin::showError(const QString &message)
{
    LblErro->setText(message);
    pnlError->show();
}

void TfrmLogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    edtUsuario->setFocus();
}

void TfrmLogin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // bound to neither button
        return;
    }
    QDialog::keyPressEvent(event);
}
