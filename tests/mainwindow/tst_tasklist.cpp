// The task list: the statements FillListViewGroups builds, what they list,
// the toggles stored per user, and the search box.
#include "tests/mainwindow/mainwindowfixture.h"
#include "tests/support/guitestmain.h"

#include "platform/ui/searchbox.h"
#include "storage/apperror.h"

#include <QAction>
#include <QLabel>

namespace {

const QString kBase = QStringLiteral(
    "SELECT A.ID, A.USUARIO_ID, A.ASSUNTO, A.CADERNO_ID, A.DATA_CADASTRO, A.DATA_INICIO, A.DATA_PREVISTA, "
    "A.DATA_CONCLUSAO, A.DATA_UPDATE, A.STATUS, A.PRIORIDADE, A.ANDAMENTO, A.ORDEM FROM TAREFAS A WHERE "
    "A.USUARIO_ID = :ID ");

void setToggles(TfrmMain &w, bool aFazer, bool concluidas, bool arquivados)
{
    w.btAndamento->setChecked(aFazer);
    w.btConcluido->setChecked(concluidas);
    w.btArquivados->setChecked(arquivados);
}

} // namespace

class TestTaskList : public QObject
{
    Q_OBJECT
private slots:
    void stateConditionForEveryToggleCombination_data();
    void stateConditionForEveryToggleCombination();
    void searchPattern_data();
    void searchPattern();
    void notebookStatementBindsBothParameters();
    void listsOnlyTheUsersTasksInManualOrder();
    void searchIsAPatternNotAnInjection();
    void searchOutsideWin1252ListsNothing();
    void toggleClickStoresAllThreeFlags();
    void toggleStoreFailureKeepsListAndFlags();
    void enterInSearchBoxRebuildsAndKeepsFocus();
    void searchBeforeSignInDoesNothing();
};

void TestTaskList::stateConditionForEveryToggleCombination_data()
{
    QTest::addColumn<bool>("aFazer");
    QTest::addColumn<bool>("concluidas");
    QTest::addColumn<bool>("arquivados");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QList<int>>("listed"); // states listed from tasks in states 0..4
    QTest::newRow("none") << false << false << false << "" << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("a fazer") << true << false << false << " AND A.STATUS IN (0,1,2)" << QList<int>{0, 1, 2};
    QTest::newRow("concluidas") << false << true << false << " AND A.STATUS IN (3)" << QList<int>{3};
    QTest::newRow("arquivados") << false << false << true << " AND A.STATUS IN (4)" << QList<int>{4};
    QTest::newRow("a fazer + concluidas") << true << true << false << " AND A.STATUS IN (0,1,2,3)" << QList<int>{0, 1, 2, 3};
    QTest::newRow("a fazer + arquivados") << true << false << true << " AND A.STATUS IN (0,1,2,4)" << QList<int>{0, 1, 2, 4};
    QTest::newRow("concluidas + arquivados") << false << true << true << " AND A.STATUS IN (3,4)" << QList<int>{3, 4};
    QTest::newRow("all") << true << true << true << " AND A.STATUS IN (0,1,2,3,4)" << QList<int>{0, 1, 2, 3, 4};
}

void TestTaskList::stateConditionForEveryToggleCombination()
{
    QFETCH(bool, aFazer);
    QFETCH(bool, concluidas);
    QFETCH(bool, arquivados);
    QFETCH(QString, condition);
    QFETCH(QList<int>, listed);
    MainWindowFixture f;
    const int user = f.signInNewUser();
    for (int status = 0; status <= 4; ++status)
        f.db.addTask({.userId = user, .subject = QString::number(status), .status = status});
    setToggles(f.window, aFazer, concluidas, arquivados);
    f.window.FillListViewGroups(user, 0);

    QCOMPARE(f.window.FDQryTarefas->selectSqlText(), kBase + condition + QStringLiteral(" ORDER BY A.ORDEM"));
    QStringList expected;
    for (int s : listed)
        expected << QString::number(s);
    QCOMPARE(f.listedSubjects(), expected);
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens: %1").arg(listed.size()));
}

void TestTaskList::searchPattern_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("condition");
    QTest::newRow("blanks only") << " \t  " << "";
    QTest::newRow("two blanks between words") << "foo  bar" << " AND UPPER(A.ASSUNTO) LIKE '%FOO%%BAR%'";
    QTest::newRow("accents pass through") << "ação" << " AND UPPER(A.ASSUNTO) LIKE '%AçãO%'";
    QTest::newRow("apostrophe doubled") << "o'brien tax" << " AND UPPER(A.ASSUNTO) LIKE '%O''BRIEN%TAX%'";
    QTest::newRow("trimmed") << "  x  " << " AND UPPER(A.ASSUNTO) LIKE '%X%'";
}

void TestTaskList::searchPattern()
{
    QFETCH(QString, typed);
    QFETCH(QString, condition);
    MainWindowFixture f;
    const int user = f.signInNewUser();
    setToggles(f.window, true, false, false);
    f.window.edtPesquisa->setText(typed);
    f.window.FillListViewGroups(user, 0);
    QCOMPARE(f.window.FDQryTarefas->selectSqlText(),
             kBase + QStringLiteral(" AND A.STATUS IN (0,1,2)") + condition + QStringLiteral(" ORDER BY A.ORDEM"));
}

void TestTaskList::notebookStatementBindsBothParameters()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    const qint64 book = f.db.addNotebook(user, QStringLiteral("Casa"));
    f.db.addTask({.userId = user, .subject = QStringLiteral("dentro"), .notebookId = book});
    f.db.addTask({.userId = user, .subject = QStringLiteral("fora")});
    setToggles(f.window, false, false, false);
    f.window.FillListViewGroups(user, int(book));
    QCOMPARE(f.window.FDQryTarefas->selectSqlText(),
             QString(kBase).replace(QStringLiteral(":ID "), QStringLiteral(":ID   AND A.CADERNO_ID = :CADERNO_ID ")) +
                 QStringLiteral(" ORDER BY A.ORDEM"));
    QCOMPARE(f.listedSubjects(), QStringList{QStringLiteral("dentro")});
}

void TestTaskList::listsOnlyTheUsersTasksInManualOrder()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    const int other = f.db.addUser(QStringLiteral("Outro"), QStringLiteral("o"), QStringLiteral("o"));
    const qint64 book = f.db.addNotebook(user, QStringLiteral("Casa"));
    f.db.addTask({.userId = user, .subject = QStringLiteral("terceira"), .order = 30});
    f.db.addTask({.userId = user, .subject = QStringLiteral("primeira"), .notebookId = book, .order = 10});
    f.db.addTask({.userId = other, .subject = QStringLiteral("alheia"), .order = 5});
    f.db.addTask({.userId = user, .subject = QStringLiteral("segunda"), .order = 20});
    setToggles(f.window, false, false, false);
    f.window.FillListViewGroups(user, 0);
    QCOMPARE(f.listedSubjects(), (QStringList{"primeira", "segunda", "terceira"}));
    QCOMPARE(f.window.FDQryTarefas->currentRow(), 0); // the first row is the focused task
}

void TestTaskList::searchIsAPatternNotAnInjection()
{
    struct Case { QString typed; QStringList listed; };
    const QList<Case> cases = {
        {QStringLiteral("50%"), {"50 anos", "meta 50% feita"}},
        {QStringLiteral("a_o"), {"50 anos", "ano"}}, // '_' matches one character
        {QStringLiteral("AÇÃO"), {"ação"}},           // compared with the upper-cased subject
        {QStringLiteral("caixa d'"), {"caixa d'água"}},
        {QStringLiteral("' OR 1=1 --"), {}},
        {QStringLiteral("x'); DELETE FROM TAREFAS; --"), {}},
        {QStringLiteral("meta feita"), {"meta 50% feita"}},
        {QStringLiteral("feita meta"), {}}, // words in the typed order only
    };
    MainWindowFixture f;
    const int user = f.signInNewUser();
    for (const char *subject : {"50 anos", "meta 50% feita", "ação", "ano", "caixa d'água"})
        f.db.addTask({.userId = user, .subject = QString::fromUtf8(subject)});
    setToggles(f.window, false, false, false);
    for (const Case &c : cases) {
        f.window.edtPesquisa->setText(c.typed);
        f.window.FillListViewGroups(user, 0);
        QVERIFY2(f.listedSubjects() == c.listed, qPrintable(c.typed + QStringLiteral(" listed ") +
                                                            f.listedSubjects().join(QLatin1Char('|'))));
    }
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM TAREFAS")).toInt(), 5);
}

void TestTaskList::searchOutsideWin1252ListsNothing()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("relatório")});
    setToggles(f.window, false, false, false);
    f.window.edtPesquisa->setText(QStringLiteral("relatório 📎"));
    f.window.FillListViewGroups(user, 0);
    QCOMPARE(f.listedSubjects(), QStringList());
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens: 0"));
    QVERIFY(MessageBox::shownBoxes().isEmpty());
}

void TestTaskList::toggleClickStoresAllThreeFlags()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("feita"), .status = 3});
    f.db.addTask({.userId = user, .subject = QStringLiteral("aberta")});
    // Start from A Fazer only, then press Concluídas.
    f.window.btConcluido->trigger();
    QVERIFY(f.window.btConcluido->isChecked());
    FbQuery q(f.db.connection());
    q.setSql(QStringLiteral("SELECT FLAG_ARQUIVADOS, FLAG_INICIADO, FLAG_CONCLUIDO FROM USUARIO WHERE ID = %1").arg(user));
    q.open();
    QCOMPARE(q.rows().first(), (Row{0, 1, 1}));
    QCOMPARE(f.listedSubjects(), (QStringList{"feita", "aberta"}));

    f.window.btAndamento->trigger();
    f.window.btArquivados->trigger();
    q.open();
    QCOMPARE(q.rows().first(), (Row{1, 0, 1}));
    QCOMPARE(f.listedSubjects(), QStringList{"feita"});
}

void TestTaskList::toggleStoreFailureKeepsListAndFlags()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("aberta")});
    f.window.FillListViewGroups(user, 0);
    const QString before = f.window.FDQryTarefas->selectSqlText();
    // The database goes away under the program.
    f.window.FDQryTarefas->setParam(QStringLiteral("ID"), user);
    f.db.connection().close();
    f.db.connection().settings().database = f.db.folder() + QStringLiteral("/sumiu.fdb");
    QVERIFY_THROWS_EXCEPTION(AppError, f.window.btArquivados->trigger());
    QVERIFY(f.window.btArquivados->isChecked()); // the button keeps its new state on screen
    QCOMPARE(f.window.FDQryTarefas->selectSqlText(), before);
    QCOMPARE(f.listedSubjects(), QStringList{"aberta"});
}

void TestTaskList::enterInSearchBoxRebuildsAndKeepsFocus()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("comprar pão")});
    f.db.addTask({.userId = user, .subject = QStringLiteral("pagar conta")});
    f.window.FillListViewGroups(user, 0);
    QVERIFY(f.showWindow());
    f.window.edtPesquisa->setFocus();
    QTest::keyClicks(f.window.edtPesquisa, QStringLiteral("pag"));
    QCOMPARE(f.listedSubjects().size(), 2); // typing alone does not search
    QTest::keyClick(f.window.edtPesquisa, Qt::Key_Return);
    QCOMPARE(f.listedSubjects(), QStringList{"pagar conta"});
    QCOMPARE(f.window.edtPesquisa->text(), QStringLiteral("pag"));
    QVERIFY(f.window.edtPesquisa->hasFocus());
}

void TestTaskList::searchBeforeSignInDoesNothing()
{
    MainWindowFixture f;
    f.window.edtPesquisa->setText(QStringLiteral("x"));
    f.window.edtPesquisaPropertiesButtonClick();
    QVERIFY(!f.window.FDQryTarefas->isOpen());
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens:"));
}

ORBILANE_GUI_TEST_MAIN(TestTaskList)
#include "tst_tasklist.moc"
