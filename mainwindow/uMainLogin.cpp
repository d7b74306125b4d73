// Sign-in: the start timer and EfetuaLogin.
#include "mainwindow/uMain.h"
#include "platform/ui/dialogrunner.h"
#include "platform/ui/zoomtextview.h"
#include "storage/cripto.h"
#include "storage/dataset.h"
#include "storage/fbquery.h"
#include "storage/win1252.h"
#include "storage/ufDataModule.h"
#include "users/accountsql.h"
#include "users/fLogin.h"
#include "users/session.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QToolButton>

namespace {

const QString kUnknownUser = QStringLiteral("Falha ao conectar: usuário desconhecido ou senha inválida.");
const QString kEmptyFields = QStringLiteral("Falha ao conectar: nenhum dos campos podem ficar vazios.");

} // namespace

void TfrmMain::TimerLoginTimer()
{
    TimerLogin.stop();
    const int total = cxSplitterTarefas->height();
    const int pane = cxSplitterTarefas->parentWidget()->height() / 2;
    cxSplitterTarefas->setSizes({std::max(0, total - pane), pane});
    EfetuaLogin();
    if (CurrentUserId != 0)
        OpenCadernos();
}

void TfrmMain::restoreToggles(int painel, int arquivados, int iniciado, int concluido)
{
    btPainelLeituraOpen->setChecked(painel == 1);
    btArquivados->setChecked(arquivados == 1);
    btAndamento->setChecked(iniciado == 1);
    btConcluido->setChecked(concluido == 1);
}

void TfrmMain::EfetuaLogin()
{
    for (;;) {
        if (!m_login)
            m_login = new TfrmLogin(this);
        const int result = DialogRunner::exec(m_login);
        if (result != QDialog::Accepted) {
            // Cancelled: the program ends as soon as control returns to the event loop.
            QCoreApplication::exit(0);
            close();
            break;
        }
        const QString login = m_login->edtUsuario->text();
        const QString password = m_login->edtSenha->text();
        if (login.isEmpty() || password.isEmpty()) {
            m_login->showError(kEmptyFields);
            continue;
        }

        FbQuery count(DM->FDConn);
        count.sql() << QStringLiteral("Select Count(*) QTD From USUARIO Where ") << QStringLiteral("(ATIVO = :PStatus)");
        count.setParam(QStringLiteral("PStatus"), QStringLiteral("1"));
        count.open();
        if (count.fieldByName(QStringLiteral("QTD")).toLongLong() <= 0) {
            const QString word = QString::fromLatin1(kFirstRunWord);
            if (login != word || password != word) {
                m_login->showError(kUnknownUser);
                continue;
            }
            FbQuery insert(DM->FDConn);
            insert.sql() = accountInsertSql();
            insert.setParam(QStringLiteral("NEW_NOME"), QStringLiteral("Administrador"));
            insert.setParam(QStringLiteral("NEW_LOGIN"), word);
            insert.setParam(QStringLiteral("NEW_SENHA"), DM->Cripto(word, kCriptoKey));
            insert.setParam(QStringLiteral("NEW_ADMINISTRADOR"), 1);
            insert.setParam(QStringLiteral("NEW_ATIVO"), 1);
            insert.setParam(QStringLiteral("NEW_FLAG_PAINEL_LEITURA"), 1);
            insert.setParam(QStringLiteral("NEW_FLAG_ARQUIVADOS"), 0);
            insert.setParam(QStringLiteral("NEW_FLAG_INICIADO"), 1);
            insert.setParam(QStringLiteral("NEW_FLAG_CONCLUIDO"), 0);
            insert.execSql();
            CurrentUserId = insert.fieldByName(QStringLiteral("ID")).toInt();
            CurrentUserIsAdmin = insert.fieldByName(QStringLiteral("ADMINISTRADOR")).toInt();
            lblUsuario->setText(QStringLiteral("Usuário: ") + insert.fieldByName(QStringLiteral("NOME")).toString());
            // The pane keeps whatever it shows; only the buttons are set.
            restoreToggles(1, 0, 1, 0);
            break;
        }

        // A login with a character the database cannot hold matches no account.
        if (!win1252::canEncode(login)) {
            m_login->showError(kUnknownUser);
            continue;
        }
        FbQuery find(DM->FDConn);
        find.sql() << QStringLiteral("Select * From USUARIO Where ") << QStringLiteral("(LOGIN = :PUser) and")
                   << QStringLiteral("(SENHA = :PPassword) and") << QStringLiteral("(ATIVO = :PStatus)");
        find.setParam(QStringLiteral("PUser"), login);
        find.setParam(QStringLiteral("PPassword"), DM->Cripto(password, kCriptoKey));
        find.setParam(QStringLiteral("PStatus"), QStringLiteral("1"));
        find.open();
        if (find.isEmpty()) {
            m_login->showError(kUnknownUser);
            continue;
        }
        CurrentUserId = find.fieldByName(QStringLiteral("ID")).toInt();
        CurrentUserIsAdmin = find.fieldByName(QStringLiteral("ADMINISTRADOR")).toInt();
        restoreToggles(find.fieldByName(QStringLiteral("FLAG_PAINEL_LEITURA")).toInt(),
                       find.fieldByName(QStringLiteral("FLAG_ARQUIVADOS")).toInt(),
                       find.fieldByName(QStringLiteral("FLAG_INICIADO")).toInt(),
                       find.fieldByName(QStringLiteral("FLAG_CONCLUIDO")).toInt());
        pnlPainelLeitura->setVisible(btPainelLeituraOpen->isChecked());
        lblUsuario->setText(QStringLiteral("Usuário: ") + find.fieldByName(QStringLiteral("NOME")).toString());
        break;
    }
    if (m_login) {
        m_login->deleteLater();
        m_login = nullptr;
    }
}
