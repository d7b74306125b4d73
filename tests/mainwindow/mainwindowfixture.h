#pragma once

#include "mainwindow/uMain.h"
#include "platform/ui/dialogrunner.h"
#include "platform/ui/messagebox.h"
#include "storage/dataset.h"
#include "tests/support/answers.h"
#include "tests/support/testdatabase.h"
#include "users/fLogin.h"
#include "users/session.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// A fresh database, no modal window that can block, and a main window bound
// to that database, not yet signed in.
struct MainWindowFixture
{
    TestDatabase db;
    DialogAnswersScope answers;
    TfrmMain window;

    MainWindowFixture()
    {
        CurrentUserId = 0;
        CurrentUserIsAdmin = 0;
        window.resize(1076, 617);
    }
    ~MainWindowFixture()
    {
        CurrentUserId = 0;
        CurrentUserIsAdmin = 0;
    }

    // Shows the window without letting its start timer open the sign-in dialog.
    bool showWindow()
    {
        window.show();
        window.TimerLogin.stop();
        return QTest::qWaitForWindowExposed(&window);
    }

    // The next sign-in dialog is answered with these fields (accepted), or cancelled.
    static void answerLogin(const QString &login, const QString &password)
    {
        DialogRunner::queue(QStringLiteral("frmLogin"), [login, password](QDialog *d) {
            auto *dialog = static_cast<TfrmLogin *>(d);
            dialog->edtUsuario->setText(login);
            dialog->edtSenha->setText(password);
            return int(QDialog::Accepted);
        });
    }
    // The next showing of the sign-in dialog records the error it shows, then is cancelled.
    static void captureErrorThenCancel(QString &error, QString *keptLogin = nullptr)
    {
        DialogRunner::queue(QStringLiteral("frmLogin"), [&error, keptLogin](QDialog *d) {
            auto *dialog = static_cast<TfrmLogin *>(d);
            error = dialog->pnlError->isVisibleTo(dialog) ? dialog->LblErro->text() : QString();
            if (keptLogin)
                *keptLogin = dialog->edtUsuario->text();
            return int(QDialog::Rejected);
        });
    }
    static void cancelLogin()
    {
        DialogRunner::queue(QStringLiteral("frmLogin"), [](QDialog *) { return int(QDialog::Rejected); });
    }

    // Signs in as a new user with the given toggles and returns its ID.
    int signInNewUser(const QString &name = QStringLiteral("Ana"))
    {
        const int id = db.addUser(name, QStringLiteral("ana"), QStringLiteral("segredo"));
        answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
        window.TimerLoginTimer();
        return id;
    }

    QStringList listedSubjects() const
    {
        QStringList subjects;
        for (int i = 0; i < window.FDQryTarefas->rowCount(); ++i)
            subjects << window.FDQryTarefas->value(i, QStringLiteral("ASSUNTO")).toString();
        return subjects;
    }
    QStringList listedNotebooks() const
    {
        QStringList names;
        for (int i = 0; i < window.FDQryCadernos->rowCount(); ++i)
            names << window.FDQryCadernos->value(i, QStringLiteral("NAME")).toString();
        return names;
    }
};
