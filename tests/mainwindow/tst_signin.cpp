// Signing in from the main window's start timer: every path of EfetuaLogin.
#include "tests/mainwindow/mainwindowfixture.h"
#include "tests/support/guitestmain.h"

#include "storage/cripto.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

class TestSignIn : public QObject
{
    Q_OBJECT
private slots:
    void firstRunWordCreatesTheAdministrator();
    void rejectedSignIns_data();
    void rejectedSignIns();
    void twoFailuresInARowShowTheDialogTwiceMore();
    void knownAccountSignsInWithItsFlags();
    void inactiveAccountCannotSignIn();
    void firstRunWordWorksAgainWhenEveryAccountIsInactive();
    void cancelEndsWithoutSigningIn();
    void charactersOutsideTheDatabaseMatchNoAccount();
};

void TestSignIn::firstRunWordCreatesTheAdministrator()
{
    MainWindowFixture f;
    f.answerLogin(QStringLiteral("orbil"), QStringLiteral("orbil"));
    f.window.TimerLoginTimer();

    QCOMPARE(CurrentUserId, 1);
    QCOMPARE(CurrentUserIsAdmin, 1);
    QCOMPARE(f.window.lblUsuario->text(), QStringLiteral("Usuário: Administrador"));
    QVERIFY(f.window.btPainelLeituraOpen->isChecked());
    QVERIFY(f.window.btAndamento->isChecked());
    QVERIFY(!f.window.btArquivados->isChecked());
    QVERIFY(!f.window.btConcluido->isChecked());
    QVERIFY(!f.window.TimerLogin.isActive());
    FbQuery q(f.db.connection());
    q.setSql(QStringLiteral("SELECT NOME, LOGIN, SENHA, ADMINISTRADOR, ATIVO, FLAG_PAINEL_LEITURA, FLAG_ARQUIVADOS, "
                            "FLAG_INICIADO, FLAG_CONCLUIDO FROM USUARIO"));
    q.open();
    QCOMPARE(q.recordCount(), 1);
    const Row row = q.rows().first();
    QCOMPARE(row, (Row{QStringLiteral("Administrador"), QStringLiteral("orbil"), Cripto(QStringLiteral("orbil"), kCriptoKey),
                       1, 1, 1, 0, 1, 0}));
    // Notebook pane and first task list follow the sign-in.
    QCOMPARE(f.listedNotebooks(), QStringList{QStringLiteral("Todos")});
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens: 0"));
}

void TestSignIn::rejectedSignIns_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    const QString unknown = QStringLiteral("Falha ao conectar: usuário desconhecido ou senha inválida.");
    const QString empty = QStringLiteral("Falha ao conectar: nenhum dos campos podem ficar vazios.");
    QTest::newRow("capital letter") << "Orbil" << "orbil" << unknown;
    QTest::newRow("trailing blank") << "orbil" << "orbil " << unknown;
    QTest::newRow("other password") << "orbil" << "outra" << unknown;
    QTest::newRow("other login") << "admin" << "orbil" << unknown;
    QTest::newRow("no login") << "" << "orbil" << empty;
    QTest::newRow("no password") << "orbil" << "" << empty;
}

void TestSignIn::rejectedSignIns()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    MainWindowFixture f;
    f.answerLogin(login, password);
    // The next showing of the dialog still holds what was typed and shows the error.
    QString shownError;
    QString keptLogin;
    f.captureErrorThenCancel(shownError, &keptLogin);
    f.window.EfetuaLogin();
    QTEST(shownError, "message");
    QCOMPARE(keptLogin, login);
    QCOMPARE(CurrentUserId, 0);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM USUARIO")).toInt(), 0);
}

void TestSignIn::twoFailuresInARowShowTheDialogTwiceMore()
{
    MainWindowFixture f;
    f.answerLogin(QString(), QStringLiteral("x"));
    f.answerLogin(QStringLiteral("x"), QStringLiteral("y"));
    QString thirdError;
    f.captureErrorThenCancel(thirdError);
    f.window.EfetuaLogin();
    QCOMPARE(thirdError, QStringLiteral("Falha ao conectar: usuário desconhecido ou senha inválida."));
    QVERIFY(!DialogRunner::hasPending(QStringLiteral("frmLogin")));
    QCOMPARE(CurrentUserId, 0);
}

void TestSignIn::knownAccountSignsInWithItsFlags()
{
    MainWindowFixture f;
    f.db.addUser(QStringLiteral("Outro"), QStringLiteral("bia"), QStringLiteral("x"));
    const int id = f.db.addUser(QStringLiteral("Bianca Sá"), QStringLiteral("Bia"), QStringLiteral("senha"));
    f.db.exec(QStringLiteral("UPDATE USUARIO SET ADMINISTRADOR = 0, FLAG_PAINEL_LEITURA = 0, FLAG_ARQUIVADOS = 1, "
                             "FLAG_INICIADO = 0, FLAG_CONCLUIDO = 1 WHERE ID = %1").arg(id));
    f.answerLogin(QStringLiteral("Bia"), QStringLiteral("senha"));
    QVERIFY(f.showWindow());
    f.window.TimerLoginTimer();

    QCOMPARE(CurrentUserId, id);
    QCOMPARE(CurrentUserIsAdmin, 0);
    QCOMPARE(f.window.lblUsuario->text(), QStringLiteral("Usuário: Bianca Sá"));
    QVERIFY(!f.window.btPainelLeituraOpen->isChecked());
    QVERIFY(!f.window.pnlPainelLeitura->isVisible());
    QVERIFY(f.window.btArquivados->isChecked());
    QVERIFY(!f.window.btAndamento->isChecked());
    QVERIFY(f.window.btConcluido->isChecked());
    QVERIFY(f.window.FDQryTarefas->selectSqlText().contains(QStringLiteral("AND A.STATUS IN (3,4)")));
}

void TestSignIn::inactiveAccountCannotSignIn()
{
    MainWindowFixture f;
    f.db.addUser(QStringLiteral("Ativo"), QStringLiteral("a"), QStringLiteral("a"));
    f.db.addUser(QStringLiteral("Inativo"), QStringLiteral("ina"), QStringLiteral("certa"), false, false);
    f.answerLogin(QStringLiteral("ina"), QStringLiteral("certa"));
    QString error;
    f.captureErrorThenCancel(error);
    f.window.EfetuaLogin();
    QCOMPARE(error, QStringLiteral("Falha ao conectar: usuário desconhecido ou senha inválida."));
    QCOMPARE(CurrentUserId, 0);
}

void TestSignIn::firstRunWordWorksAgainWhenEveryAccountIsInactive()
{
    MainWindowFixture f;
    f.db.addUser(QStringLiteral("Velho"), QStringLiteral("orbil"), QStringLiteral("orbil"), true, false);
    f.answerLogin(QStringLiteral("orbil"), QStringLiteral("orbil"));
    f.window.EfetuaLogin();
    QCOMPARE(CurrentUserId, 2);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM USUARIO WHERE ATIVO = 0")).toInt(), 1);

    // From then on the word signs in through the account lookup, creating nothing.
    MainWindowFixture g;
    g.db.addUser(QStringLiteral("Administrador"), QStringLiteral("orbil"), QStringLiteral("orbil"), true);
    g.answerLogin(QStringLiteral("orbil"), QStringLiteral("orbil"));
    g.window.EfetuaLogin();
    QCOMPARE(CurrentUserId, 1);
    QCOMPARE(g.db.scalar(QStringLiteral("SELECT COUNT(*) FROM USUARIO")).toInt(), 1);
}

void TestSignIn::cancelEndsWithoutSigningIn()
{
    MainWindowFixture f;
    f.window.show();
    f.cancelLogin();
    f.window.TimerLoginTimer();
    QCOMPARE(CurrentUserId, 0);
    QVERIFY(!f.window.isVisible()); // the main window closes and the program ends
    QVERIFY(!f.window.FDQryCadernos->isOpen());
}

void TestSignIn::charactersOutsideTheDatabaseMatchNoAccount()
{
    MainWindowFixture f;
    f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("x"));
    f.answerLogin(QStringLiteral("анна"), QStringLiteral("x"));
    QString error;
    f.captureErrorThenCancel(error);
    f.window.EfetuaLogin();
    QCOMPARE(error, QStringLiteral("Falha ao conectar: usuário desconhecido ou senha inválida."));
}

ORBILANE_GUI_TEST_MAIN(TestSignIn)
#include "tst_signin.moc"
