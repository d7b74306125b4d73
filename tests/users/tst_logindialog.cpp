// The real sign-in dialog, driven from inside its own event loop.
#include "tests/support/guitestmain.h"
#include "users/fLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TestLoginDialog : public QObject
{
    Q_OBJECT
private slots:
    void typingAndEnterAccept();
    void escapeDoesNotCloseButCancelDoes();
    void layoutAndTexts();
};

void TestLoginDialog::typingAndEnterAccept()
{
    TfrmLogin dialog;
    QWidget *firstFocus = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        firstFocus = dialog.focusWidget(); // the focus starts in the login field
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("maria"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("s3nha"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); // OK is the default button
        if (dialog.isVisible())
            dialog.done(-1); // never leave the loop waiting
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(firstFocus, dialog.edtUsuario);
    QCOMPARE(dialog.edtUsuario->text(), QStringLiteral("maria"));
    QCOMPARE(dialog.edtSenha->text(), QStringLiteral("s3nha"));
    QCOMPARE(dialog.edtSenha->echoMode(), QLineEdit::Password);
}

void TestLoginDialog::escapeDoesNotCloseButCancelDoes()
{
    TfrmLogin dialog;
    bool stillOpenAfterEscape = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(dialog.edtUsuario, Qt::Key_Escape);
        stillOpenAfterEscape = dialog.isVisible();
        QTest::mouseClick(dialog.btCancelar, Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(stillOpenAfterEscape);

    // Closing by the title bar counts as "Cancelar".
    TfrmLogin closed;
    QTimer::singleShot(0, &closed, [&] { closed.close(); });
    QCOMPARE(closed.exec(), int(QDialog::Rejected));
}

void TestLoginDialog::layoutAndTexts()
{
    TfrmLogin dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Entrar"));
    QCOMPARE(dialog.size(), QSize(360, 215));
    QVERIFY(!dialog.pnlError->isVisibleTo(&dialog));
    dialog.showError(QStringLiteral("Falha"));
    QVERIFY(dialog.pnlError->isVisibleTo(&dialog));
    QCOMPARE(dialog.LblErro->text(), QStringLiteral("Falha"));
    QCOMPARE(dialog.btOK->text(), QStringLiteral("OK"));
    QVERIFY(dialog.btOK->isDefault());
    QCOMPARE(dialog.btCancelar->text(), QStringLiteral("Cancelar"));
    QStringList labels;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Acesso ao Orbilane")));
    QVERIFY(labels.contains(QStringLiteral("Digite seu nome de usuário e senha para acessar.")));
    QVERIFY(labels.contains(QStringLiteral("Usuário:")));
    QVERIFY(labels.contains(QStringLiteral("Senha:")));
}

ORBILANE_GUI_TEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
