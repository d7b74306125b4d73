// The notebook pane: its query, counts, adding, renaming, deleting, the popup rule and the drawing.
#include "tests/mainwindow/mainwindowfixture.h"
#include "tests/support/guitestmain.h"

#include "mainwindow/notebookdelegate.h"
#include "mainwindow/notebookmodel.h"
#include "mainwindow/uNovoCaderno.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>

namespace {

void answerName(const QString &name, bool ok, QString *caption = nullptr)
{
    DialogRunner::queue(QStringLiteral("frmNovoCaderno"), [=](QDialog *d) {
        auto *dialog = static_cast<TfrmNovoCaderno *>(d);
        if (caption)
            *caption = dialog->windowTitle();
        dialog->edtNome->clear();
        dialog->edtNome->insert(name); // as typing does
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    });
}

} // namespace

class TestNotebooks : public QObject
{
    Q_OBJECT
private slots:
    void todosCountsOpenTasksOfEveryNotebook();
    void hiddenNotebookIsNotListedButItsTasksAre();
    void focusNarrowsTheTaskList();
    void addNotebook();
    void cancelledAddLeavesNothingButUsesTheGenerator();
    void renameNotebook();
    void deleteNotebookWithItsTasks();
    void answeringNoDeletesNothing();
    void popupNeverOpensOnTodos();
    void refreshKeepsTheFocusedNotebook();
    void badgeShape_data();
    void badgeShape();
};

void TestNotebooks::todosCountsOpenTasksOfEveryNotebook()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 home = f.db.addNotebook(user, QStringLiteral("Casa"));
    const qint64 work = f.db.addNotebook(user, QStringLiteral("Trabalho"));
    for (int status = 0; status <= 4; ++status)
        f.db.addTask({.userId = user, .notebookId = home, .status = status});
    f.db.addTask({.userId = user, .notebookId = 0});
    f.db.addTask({.userId = user + 1, .notebookId = 0}); // someone else's
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();

    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "Casa", "Trabalho"}));
    auto qtd = [&](int row) { return f.window.FDQryCadernos->value(row, QStringLiteral("QTD")); };
    QCOMPARE(qtd(0).toInt(), 4);
    QCOMPARE(qtd(1).toInt(), 3);
    QCOMPARE(qtd(2).toInt(), 0);
    QCOMPARE(f.window.FDQryCadernos->value(0, QStringLiteral("IMAGEINDEX")).toInt(), 14);
    QCOMPARE(f.window.FDQryCadernos->value(0, QStringLiteral("ID")).toLongLong(), 0);
    QCOMPARE(f.window.FDQryCadernos->value(2, QStringLiteral("ID")).toLongLong(), work);
    QCOMPARE(f.window.gdCadernos->currentIndex().row(), 0);
}

void TestNotebooks::hiddenNotebookIsNotListedButItsTasksAre()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 hidden = f.db.addNotebook(user, QStringLiteral("Oculto"));
    f.db.exec(QStringLiteral("UPDATE CADERNO SET VISIVEL = 0 WHERE ID = %1").arg(hidden));
    f.db.addTask({.userId = user, .subject = QStringLiteral("guardada"), .notebookId = hidden});
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    QCOMPARE(f.listedNotebooks(), QStringList{"Todos"});
    QCOMPARE(f.listedSubjects(), QStringList{"guardada"});
}

void TestNotebooks::focusNarrowsTheTaskList()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 home = f.db.addNotebook(user, QStringLiteral("Casa"));
    f.db.addTask({.userId = user, .subject = QStringLiteral("lavar"), .notebookId = home});
    f.db.addTask({.userId = user, .subject = QStringLiteral("avulsa")});
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    QCOMPARE(f.listedSubjects(), (QStringList{"lavar", "avulsa"}));
    f.window.gdCadernos->setCurrentIndex(f.window.notebookModel->index(1, 0)); // as a click does
    QCOMPARE(f.listedSubjects(), QStringList{"lavar"});
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens: 1"));
    f.window.gdCadernos->setCurrentIndex(f.window.notebookModel->index(0, 0));
    QCOMPARE(f.listedSubjects().size(), 2);
}

void TestNotebooks::addNotebook()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    QString caption;
    answerName(QStringLiteral("Férias 2027"), true, &caption);
    f.window.btAddCadernosClick();
    QCOMPARE(caption, QStringLiteral("Adicionar Caderno"));
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "Férias 2027"}));
    QCOMPARE(f.window.FDQryCadernos->currentRow(), 1);
    QCOMPARE(f.window.FDQryCadernos->value(QStringLiteral("QTD")).toInt(), 0); // read back from the database
    FbQuery q(f.db.connection());
    q.setSql(QStringLiteral("SELECT ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, NAME, VISIVEL, IMAGEINDEX FROM CADERNO"));
    q.open();
    QCOMPARE(q.rows(), (QList<Row>{{qint64(1), qint64(user), {}, {}, {}, QStringLiteral("Férias 2027"), 1, 15}}));
    // The task list matches the new, focused notebook.
    QVERIFY(f.window.FDQryTarefas->selectSqlText().contains(QStringLiteral("A.CADERNO_ID = :CADERNO_ID")));
}

void TestNotebooks::cancelledAddLeavesNothingButUsesTheGenerator()
{
    MainWindowFixture f;
    f.signInNewUser();
    answerName(QStringLiteral("Não quero"), false);
    f.window.btAddCadernosClick();
    QCOMPARE(f.listedNotebooks(), QStringList{"Todos"});
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM CADERNO")).toInt(), 0);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT gen_id(GEN_ID_CADERNO, 0) FROM RDB$DATABASE")).toLongLong(), 1);
    QVERIFY(!f.window.FDQryTarefas->selectSqlText().contains(QStringLiteral(":CADERNO_ID")));
}

void TestNotebooks::renameNotebook()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    f.db.addNotebook(user, QStringLiteral("Velho"));
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    f.window.FDQryCadernos->setCurrentRow(1);

    QString caption;
    answerName(QStringLiteral("Descartado"), false, &caption);
    f.window.Editar1Click();
    QCOMPARE(caption, QStringLiteral("Editar Caderno"));
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "Velho"}));

    answerName(QStringLiteral(""), true); // no check on the name
    f.window.Editar1Click();
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT NAME FROM CADERNO")).toString(), QString());
    answerName(QStringLiteral("Novo nome"), true);
    f.window.Editar1Click();
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "Novo nome"}));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT NAME FROM CADERNO")).toString(), QStringLiteral("Novo nome"));
}

void TestNotebooks::deleteNotebookWithItsTasks()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 a = f.db.addNotebook(user, QStringLiteral("A"));
    const qint64 b = f.db.addNotebook(user, QStringLiteral("B"));
    for (int status : {0, 3, 4})
        f.db.addTask({.userId = user, .notebookId = a, .status = status});
    f.db.addTask({.userId = user, .subject = QStringLiteral("de B"), .notebookId = b});
    f.db.addTask({.userId = user, .subject = QStringLiteral("solta")});
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    f.window.FDQryCadernos->setCurrentRow(1);

    MessageBox::setNextAnswer(MessageBox::Yes);
    f.window.Excluir1Click();
    const auto shown = MessageBox::shownBoxes();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().caption, QStringLiteral("Exclusão"));
    QCOMPARE(shown.first().text, QStringLiteral("Confirma a exclusão deste Caderno? Todas as tarefas relacionadas serão excluídas."));
    QCOMPARE(shown.first().icon, MessageBox::Question);
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "B"}));
    QCOMPARE(f.window.FDQryCadernos->currentRow(), 1); // the next row took the focus
    QCOMPARE(f.listedSubjects(), QStringList{"de B"});
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM TAREFAS")).toInt(), 2);
    QCOMPARE(f.window.FDQryCadernos->value(0, QStringLiteral("QTD")).toInt(), 2); // "Todos" counts again

    // Deleting the last row moves the focus to the one before it.
    MessageBox::setNextAnswer(MessageBox::Yes);
    f.window.Excluir1Click();
    QCOMPARE(f.listedNotebooks(), QStringList{"Todos"});
    QCOMPARE(f.window.FDQryCadernos->currentRow(), 0);
    QCOMPARE(f.listedSubjects(), QStringList{"solta"});
}

void TestNotebooks::answeringNoDeletesNothing()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 a = f.db.addNotebook(user, QStringLiteral("A"));
    f.db.addTask({.userId = user, .notebookId = a});
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    f.window.FDQryCadernos->setCurrentRow(1);
    MessageBox::setNextAnswer(MessageBox::No);
    f.window.Excluir1Click();
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "A"}));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT COUNT(*) FROM TAREFAS")).toInt(), 1);
}

void TestNotebooks::popupNeverOpensOnTodos()
{
    MainWindowFixture f;
    QVERIFY(!f.window.pmCadernosPopup()); // empty pane before sign-in
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    f.db.addNotebook(user, QStringLiteral("A"));
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    QVERIFY(!f.window.pmCadernosPopup());
    f.window.Excluir1Click(); // even when reached another way, "Todos" is never deleted
    f.window.Editar1Click();
    QVERIFY(MessageBox::shownBoxes().isEmpty());
    QCOMPARE(f.listedNotebooks(), (QStringList{"Todos", "A"}));
    f.window.FDQryCadernos->setCurrentRow(1);
    QVERIFY(f.window.pmCadernosPopup());
    QCOMPARE(f.window.pmCadernos->actions().at(0)->text(), QStringLiteral("Excluir"));
    QCOMPARE(f.window.pmCadernos->actions().at(1)->text(), QStringLiteral("Editar"));
}

void TestNotebooks::refreshKeepsTheFocusedNotebook()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    const qint64 a = f.db.addNotebook(user, QStringLiteral("A"));
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    f.window.FDQryCadernos->setCurrentRow(1);
    f.db.addTask({.userId = user, .subject = QStringLiteral("nova"), .notebookId = a});
    f.window.RefreshCadernos();
    QCOMPARE(f.window.FDQryCadernos->currentRow(), 1);
    QCOMPARE(f.window.FDQryCadernos->value(QStringLiteral("QTD")).toInt(), 1);
    QCOMPARE(f.listedSubjects(), QStringList{"nova"});
}

void TestNotebooks::badgeShape_data()
{
    QTest::addColumn<QVariant>("count");
    QTest::addColumn<bool>("badge");
    QTest::addColumn<bool>("square");
    QTest::newRow("null") << QVariant() << false << false;
    QTest::newRow("zero") << QVariant(0) << false << false;
    QTest::newRow("one") << QVariant(1) << true << true;
    QTest::newRow("seven") << QVariant(7) << true << true;
    QTest::newRow("nine") << QVariant(9) << true << true;
    QTest::newRow("ten") << QVariant(10) << true << false;
    QTest::newRow("1234") << QVariant(1234) << true << false;
}

void TestNotebooks::badgeShape()
{
    QFETCH(QVariant, count);
    QFETCH(bool, badge);
    QFETCH(bool, square);
    const QFont font(QStringLiteral("Noto Sans"), 9);
    const QRect cell(0, 10, 201, 24);
    const QRect r = NotebookDelegate::badgeRect(cell, font, count);
    QCOMPARE(!r.isNull(), badge);
    if (!badge)
        return;
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics m(bold);
    QCOMPARE(r.height(), m.height() + 4);
    QCOMPARE(r.width() == r.height(), square);
    if (!square)
        QCOMPARE(r.width(), m.horizontalAdvance(QString::number(count.toInt())) + 12);
    QCOMPARE(r.right() + 1, cell.right() + 1 - 2);
    QCOMPARE(r.top(), cell.top() + (cell.height() - r.height()) / 2);
}

ORBILANE_GUI_TEST_MAIN(TestNotebooks)
#include "tst_notebooks.moc"
