// The main window's task list on a large database, against the data layer
// alone fetching the same rows in the same run:
//   * 100,000 tasks over 10 users, each with the same compressed RTF
//     description; the measured user owns 10,000 of them;
//   * baseline: FbQuery running the statement FillListViewGroups builds;
//   * full rebuild: FillListViewGroups plus the events and painting that follow;
//   * focusing another task: the reading pane filled and painted again;
//   * the notebook pane of a user with 500 notebooks: its query alone and
//     RefreshCadernos (which rebuilds that user's task list too).
// Prints "ratio full/baseline" (the median over rebuilds each paired with a
// baseline fetch just before it) and the other figures as medians of this
// run. Wrong results (row counts, an empty reading pane) make it exit non-zero;
// timings are only reported.
//
// ORBILANE_BENCH_SMOKE=1: 2,000 tasks, 50 notebooks, a few iterations.
//
// Two more modes serve scripts/bench-startup.sh:
//   --fill-database PATH TASKS  adds one user (login and password "bench")
//                               with TASKS tasks to the database at PATH;
//   --minimal-window PATH       opens the database at PATH, shows an empty
//                               window and prints "startup_ms X" at its first
//                               expose, counted from process start.

#include "mainwindow/uMain.h"
#include "platform/instance/processclock.h"
#include "platform/ui/appstyle.h"
#include "platform/ui/zoomtextview.h"
#include "storage/apperror.h"
#include "storage/compression.h"
#include "storage/cripto.h"
#include "storage/dataset.h"
#include "storage/fbclient.h"
#include "storage/fbconnection.h"
#include "storage/fbquery.h"
#include "tests/support/answers.h"
#include "tests/support/testdatabase.h"
#include "users/session.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

bool smokeMode()
{
    const char *v = std::getenv("ORBILANE_BENCH_SMOKE");
    return v && *v && std::string(v) != "0";
}

// ---- Data ------------------------------------------------------------------

// A description of about 4 KB: font and colour tables, bold, italics,
// underline, colours, accented letters and a bulleted list, as a rich text
// editor writes them.
QByteArray sampleRtf()
{
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1046"
        "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Segoe UI;}{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}"
        "{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red0\\green77\\blue187;\\red192\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\f0\\fs22 ";
    static const char *const paragraphs[] = {
        "{\\b Objetivo:} revisar o relat\\'f3rio mensal do cliente e enviar as corre\\'e7\\'f5es at\\'e9 sexta-feira. "
        "Conferir os n\\'fameros de {\\i vendas}, {\\i devolu\\'e7\\'f5es} e {\\i estoque} com a planilha anexa.\\par\r\n",
        "\\cf1\\b Pend\\'eancias\\cf0\\b0\\par\r\n",
        "{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 "
        "Atualizar a tabela de pre\\'e7os da regi\\'e3o Sul\\par\r\n",
        "{\\pntext\\f2\\'B7\\tab}Confirmar a reuni\\'e3o de quinta-feira com a diretoria\\par\r\n",
        "{\\pntext\\f2\\'B7\\tab}Pedir ao financeiro a posi\\'e7\\'e3o das notas em aberto\\par\r\n",
        "\\pard\\sa200\\sl276\\slmult1 {\\ul Observa\\'e7\\'e3o:} o cliente pediu que a vers\\'e3o final "
        "venha em PDF, com o \\cf2\\b resumo executivo\\cf0\\b0  na primeira p\\'e1gina e os gr\\'e1ficos "
        "comparativos no fim do documento.\\par\r\n",
        "Comando usado para gerar o extrato: {\\f1\\fs20 relatorio --mes 03 --cliente 4471 --formato pdf}\\par\r\n",
        "\\cf3 Status: em andamento; pr\\'f3xima revis\\'e3o marcada para a semana que vem.\\cf0\\par\r\n",
    };
    int round = 0;
    while (rtf.size() < 4000) {
        rtf += "{\\b Etapa " + QByteArray::number(++round) + "}\\par\r\n";
        for (const char *p : paragraphs)
            rtf += p;
    }
    rtf += "}\r\n";
    return rtf;
}

struct Population
{
    int firstUser = 1;  // users firstUser .. firstUser + users - 1 exist already
    int users = 1;
    int tasks = 0;      // task i belongs to user i % users, so each user's rows lie all over the table
    int measuredIndex = 0;   // this user's tasks are in states 0..3, everybody else's in 0..4
    int bigNotebookIndex = -1;  // this user has bigNotebooks notebooks, everybody else smallNotebooks
    int bigNotebooks = 0;
    int smallNotebooks = 10;
};

// The numbers 0 .. 10^digits - 1 as column I, made by the engine.
QString numbers(int digits)
{
    const QString ten = QStringLiteral(
        "(SELECT 0 N FROM RDB$DATABASE UNION ALL SELECT 1 FROM RDB$DATABASE UNION ALL SELECT 2 FROM RDB$DATABASE "
        "UNION ALL SELECT 3 FROM RDB$DATABASE UNION ALL SELECT 4 FROM RDB$DATABASE UNION ALL SELECT 5 FROM "
        "RDB$DATABASE UNION ALL SELECT 6 FROM RDB$DATABASE UNION ALL SELECT 7 FROM RDB$DATABASE UNION ALL SELECT 8 "
        "FROM RDB$DATABASE UNION ALL SELECT 9 FROM RDB$DATABASE)");
    QStringList sum, from;
    qint64 weight = 1;
    for (int d = 0; d < digits; ++d, weight *= 10) {
        sum << QStringLiteral("%1 * D%2.N").arg(weight).arg(d);
        from << ten + QStringLiteral(" D%1").arg(d);
    }
    return QStringLiteral("(SELECT ") + sum.join(QStringLiteral(" + ")) + QStringLiteral(" AS I FROM ") +
           from.join(QStringLiteral(", ")) + QStringLiteral(")");
}

int digitsFor(qint64 count)
{
    int digits = 1;
    for (qint64 limit = 10; limit < count; limit *= 10)
        ++digits;
    return digits;
}

qint64 advanceGenerator(FbConnection &connection, const QString &generator, qint64 by)
{
    FbQuery q(connection);
    q.setSql(QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(generator).arg(by));
    q.open();
    return q.rows().first().first().toLongLong();
}

// Notebooks and tasks by a few INSERT ... SELECT statements over numbers the
// engine makes, instead of one round trip per row. Every tenth task of a user
// is in no notebook.
void populate(FbConnection &connection, const Population &p, const QByteArray &description)
{
    const auto notebooksOf = [&p](int k) { return k == p.bigNotebookIndex ? p.bigNotebooks : p.smallNotebooks; };
    const qint64 firstNotebook = advanceGenerator(connection, QStringLiteral("GEN_ID_CADERNO"), 0) + 1;
    qint64 next = firstNotebook;
    for (int k = 0; k < p.users; ++k) {
        const int count = notebooksOf(k);
        if (count == 0)
            continue;
        FbQuery q(connection);
        q.setSql(QStringLiteral("INSERT INTO CADERNO (ID, USUARIO_ID, NAME, VISIVEL, IMAGEINDEX) "
                                "SELECT %1 + I, %2, 'Caderno ' || (I + 1), 1, 15 FROM %3 X WHERE I < %4")
                     .arg(next).arg(p.firstUser + k).arg(numbers(digitsFor(count))).arg(count));
        q.execSql();
        next += count;
    }
    advanceGenerator(connection, QStringLiteral("GEN_ID_CADERNO"), next - firstNotebook);

    const qint64 firstTask = advanceGenerator(connection, QStringLiteral("GEN_ID_TAREFAS"), 0) + 1;
    const QString nbCount = QStringLiteral("IIF(K = %1, %2, %3)").arg(p.bigNotebookIndex).arg(p.bigNotebooks)
                                .arg(p.smallNotebooks);
    const QString nbFirst = QStringLiteral("(%1 + K * %2 + IIF(%3 >= 0 AND K > %3, %4, 0))")
                                .arg(firstNotebook).arg(p.smallNotebooks).arg(p.bigNotebookIndex)
                                .arg(p.bigNotebooks - p.smallNotebooks);
    FbQuery q(connection);
    q.sql() = QStringList{
        QStringLiteral("INSERT INTO TAREFAS (ID, USUARIO_ID, ASSUNTO, CADERNO_ID, DATA_CADASTRO, DATA_INICIO,"),
        QStringLiteral("  DATA_PREVISTA, DATA_CONCLUSAO, DATA_UPDATE, STATUS, PRIORIDADE, ANDAMENTO, ORDEM, DESCRICAO)"),
        QStringLiteral("SELECT %1 + I, %2 + K,").arg(firstTask).arg(p.firstUser),
        QStringLiteral("  'Tarefa ' || (J + 1) || ' - revisar o relatório do cliente e enviar as correções', NB,"),
        QStringLiteral("  CREATED, IIF(ST >= 1, DATEADD(1 DAY TO CREATED), NULL),"),
        QStringLiteral("  IIF(MOD(J, 3) = 0, NULL, DATEADD(7 DAY TO CREATED)),"),
        QStringLiteral("  IIF(ST = 3, DATEADD(3 DAY TO CREATED), NULL), CREATED, ST, MOD(J, 4),"),
        QStringLiteral("  IIF(ST = 3, 100, MOD(J * 7, 100)), %1 + I, CAST(:D AS BLOB SUB_TYPE 0)").arg(firstTask),
        QStringLiteral("FROM (SELECT I, K, J, MOD(J, IIF(K = %1, 4, 5)) ST,").arg(p.measuredIndex),
        QStringLiteral("        IIF(MOD(J, 10) = 9 OR %1 = 0, 0, %2 + MOD(J, %1)) NB,").arg(nbCount, nbFirst),
        QStringLiteral("        DATEADD(I MINUTE TO TIMESTAMP '2024-01-01 08:00:00') CREATED"),
        QStringLiteral("      FROM (SELECT I, MOD(I, %1) K, I / %1 J FROM %2 X WHERE I < %3) Y) Z")
            .arg(p.users).arg(numbers(digitsFor(p.tasks))).arg(p.tasks),
        QStringLiteral("ORDER BY I"),
    };
    q.setParam(QStringLiteral("D"), description);
    q.execSql();
    advanceGenerator(connection, QStringLiteral("GEN_ID_TAREFAS"), p.tasks);
}

QVariant scalar(FbConnection &connection, const QString &sql, int user)
{
    FbQuery q(connection);
    q.setSql(sql);
    q.setParam(QStringLiteral("U"), user);
    q.open();
    return q.isEmpty() ? QVariant() : q.rows().first().first();
}

// ---- Process start ---------------------------------------------------------

double sinceProcessStart()
{
    return millisecondsSinceProcessStart();
}

class FirstExposeProbe : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            std::printf("startup_ms %.1f\n", sinceProcessStart());
            std::fflush(stdout);
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

int minimalWindow(int argc, char **argv, const QString &path)
{
    QApplication app(argc, argv);
    fbclient::useRootBesideExecutable(QCoreApplication::applicationDirPath());
    FbConnection connection;
    connection.settings().database = path;
    connection.settings().password = QStringLiteral("plovertin");
    try {
        connection.open();
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("Orbilane"));
    window.installEventFilter(new FirstExposeProbe(&window));
    window.showMaximized();
    return app.exec();
}

int fillDatabase(int argc, char **argv, const QString &path, int tasks)
{
    QCoreApplication app(argc, argv);
    fbclient::useRootBesideExecutable(QCoreApplication::applicationDirPath());
    try {
        FbConnection connection;
        connection.settings().database = path;
        connection.settings().password = QStringLiteral("plovertin");
        connection.open();
        Population p;
        p.firstUser = TestDatabase::addUser(connection, QStringLiteral("Bench"), QStringLiteral("bench"), QStringLiteral("bench"));
        p.users = 1;
        p.tasks = tasks;
        populate(connection, p, TestDatabase::compressed(sampleRtf()));
        const qint64 stored = scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TAREFAS WHERE USUARIO_ID = :U"),
                                     p.firstUser).toLongLong();
        std::printf("%lld tasks for user %d in %s\n", stored, p.firstUser, qPrintable(path));
        if (stored != tasks)
            return 1;
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}

// ---- The window under measurement -----------------------------------------

struct Sizes
{
    int tasks;
    int users;
    int bigNotebooks;
    int iterations;        // for the list and notebook benchmarks
    int focusIterations;
};

// Counts paint events of the widgets whose repaint ends a measured step.
class PaintCounter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++counts[watched];
        return false;
    }
    std::map<QObject *, long> counts;
};

struct Fixture
{
    Sizes sizes{};
    TestDatabase *db = nullptr;
    TfrmMain *window = nullptr;
    PaintCounter *paints = nullptr;
    int measuredUser = 0;   // 10,000 tasks (full size), a few notebooks
    int notebookUser = 0;   // as many tasks, over 500 notebooks
    int measuredRows = 0;   // rows the measured user's list must show
    int notebookUserRows = 0;
    int forcedRepaints = 0; // steps after which the events alone had not painted the widget
    bool failed = false;
};

Fixture g;

void fail(const QString &what)
{
    std::fprintf(stderr, "FAILED: %s\n", qPrintable(what));
    g.failed = true;
}

// Lets the window do what follows a change on screen (delayed layouts,
// update requests); paints the widget itself should the events not have.
void settleAndPaint(std::initializer_list<QWidget *> mustPaint)
{
    std::vector<long> before;
    for (QWidget *w : mustPaint)
        before.push_back(g.paints->counts[w]);
    QCoreApplication::processEvents();
    std::size_t i = 0;
    for (QWidget *w : mustPaint) {
        if (g.paints->counts[w] == before[i++]) {
            ++g.forcedRepaints;
            w->repaint();
        }
    }
}

void signIn(int user)
{
    CurrentUserId = user;
    g.window->OpenCadernos();
    settleAndPaint({g.window->tvMain->viewport(), g.window->gdCadernos->viewport()});
}

// Milliseconds of each timed iteration, to report medians whatever the noise.
std::map<std::string, std::vector<double>> g_samples;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double minimum(const std::vector<double> &v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

class Stopwatch
{
public:
    Stopwatch() { m_timer.start(); }
    double ms() const { return double(m_timer.nsecsElapsed()) / 1e6; }

private:
    QElapsedTimer m_timer;
};

void record(benchmark::State &state, const std::string &name, double ms)
{
    g_samples[name].push_back(ms);
    state.SetIterationTime(ms / 1000.0);
}

void checkList(int user, int expectedRows)
{
    TfrmMain &w = *g.window;
    if (w.FDQryTarefas->rowCount() != expectedRows)
        fail(QStringLiteral("the list of user %1 shows %2 rows, expected %3")
                 .arg(user).arg(w.FDQryTarefas->rowCount()).arg(expectedRows));
    if (w.lblItens->text() != QStringLiteral("Itens: ") + QString::number(expectedRows))
        fail(QStringLiteral("the status bar says \"%1\"").arg(w.lblItens->text()));
    if (w.reTarefa->document()->toPlainText().trimmed().isEmpty())
        fail(QStringLiteral("the reading pane is empty"));
}

// ---- Benchmarks -------------------------------------------------------------

void BM_Baseline_FbQueryFetch(benchmark::State &state)
{
    TfrmMain &w = *g.window;
    signIn(g.measuredUser);
    w.FillListViewGroups(g.measuredUser, 0);
    const QString sql = w.FDQryTarefas->selectSqlText();
    const QVariant id = w.FDQryTarefas->param(QStringLiteral("ID"));
    FbQuery q(g.db->connection());
    q.setSql(sql);
    q.setParam(QStringLiteral("ID"), id);
    q.open(); // warm-up
    for (auto _ : state) {
        Stopwatch t;
        q.open();
        benchmark::DoNotOptimize(q.rows().size());
        q.close();
        record(state, "baseline", t.ms());
    }
    q.open();
    if (q.recordCount() != g.measuredRows)
        fail(QStringLiteral("the baseline fetched %1 rows, expected %2").arg(q.recordCount()).arg(g.measuredRows));
    state.counters["rows"] = double(q.recordCount());
}

void BM_FullRebuild(benchmark::State &state)
{
    TfrmMain &w = *g.window;
    signIn(g.measuredUser);
    // Where the time goes: the list's reset (statement, fetch, model reset),
    // then the reading pane (detail statement, decompression, RTF), then the
    // status bar, then events and painting.
    QElapsedTimer clock;
    double resetAt = 0, detailAt = 0;
    const auto c1 = QObject::connect(w.FDQryTarefas, &DataSet::wasReset, w.FDQryTarefas,
                                     [&] { resetAt = double(clock.nsecsElapsed()) / 1e6; });
    const auto c2 = QObject::connect(w.FDQryTarefas, &DataSet::currentRowChanged, w.FDQryTarefas,
                                     [&] { detailAt = double(clock.nsecsElapsed()) / 1e6; });
    w.FillListViewGroups(g.measuredUser, 0); // warm-up
    settleAndPaint({w.tvMain->viewport(), w.reTarefa->viewport()});
    // The baseline again just before each rebuild, untimed by the framework:
    // pairs measured moments apart make a ratio that the load of a shared
    // machine, which drifts over a run, cannot skew. (The framework's CPU
    // column for this benchmark counts these fetches too; its time does not.)
    FbQuery baseline(g.db->connection());
    baseline.setSql(w.FDQryTarefas->selectSqlText());
    baseline.setParam(QStringLiteral("ID"), w.FDQryTarefas->param(QStringLiteral("ID")));
    for (auto _ : state) {
        {
            Stopwatch t;
            baseline.open();
            benchmark::DoNotOptimize(baseline.rows().size());
            baseline.close();
            g_samples["baseline (paired)"].push_back(t.ms());
        }
        clock.start();
        w.FillListViewGroups(g.measuredUser, 0);
        const double filled = double(clock.nsecsElapsed()) / 1e6;
        settleAndPaint({w.tvMain->viewport(), w.reTarefa->viewport()});
        const double total = double(clock.nsecsElapsed()) / 1e6;
        g_samples["phase fetch+reset"].push_back(resetAt);
        g_samples["phase reading pane"].push_back(detailAt - resetAt);
        g_samples["phase rest of fill"].push_back(filled - detailAt);
        g_samples["phase events+paint"].push_back(total - filled);
        record(state, "full", total);
    }
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    checkList(g.measuredUser, g.measuredRows);
    state.counters["rows"] = w.FDQryTarefas->rowCount();
}

// Moves the focus by `step` rows each time (1: the arrow key; a large odd
// step: a jump that scrolls the grid).
void focusTasks(benchmark::State &state, int step, const std::string &name)
{
    TfrmMain &w = *g.window;
    signIn(g.measuredUser);
    const int rows = w.FDQryTarefas->rowCount();
    int row = 0;
    long emptyPanes = 0;
    for (auto _ : state) {
        row = (row + step) % rows;
        Stopwatch t;
        w.FDQryTarefas->setCurrentRow(row);
        settleAndPaint({w.reTarefa->viewport()});
        record(state, name, t.ms());
        if (w.reTarefa->document()->isEmpty())
            ++emptyPanes;
    }
    if (w.tvMain->currentIndex().row() != row)
        fail(QStringLiteral("the grid's current row is %1, expected %2").arg(w.tvMain->currentIndex().row()).arg(row));
    if (emptyPanes)
        fail(QStringLiteral("the reading pane was empty after %1 focus changes").arg(emptyPanes));
    state.counters["frames"] = median(g_samples[name]) / (1000.0 / 60.0);
}

void BM_FocusNextTask(benchmark::State &state) { focusTasks(state, 1, "focus next"); }
void BM_FocusFarTask(benchmark::State &state) { focusTasks(state, 7919, "focus far"); }

// The statement alone, opened again and again after one uncounted opening.
void timeRepeatedFetch(benchmark::State &state, FbQuery &q, const char *name)
{
    q.open();
    for (auto _ : state) {
        Stopwatch t;
        q.open();
        benchmark::DoNotOptimize(q.rows().size());
        q.close();
        record(state, name, t.ms());
    }
}

void BM_NotebookQueryAlone(benchmark::State &state)
{
    TfrmMain &w = *g.window;
    signIn(g.notebookUser);
    FbQuery q(g.db->connection());
    q.setSql(w.FDQryCadernos->selectSqlText());
    q.setParam(QStringLiteral("USUARIO_ID"), g.notebookUser);
    timeRepeatedFetch(state, q, "notebook query");
    q.open();
    if (q.recordCount() != g.sizes.bigNotebooks + 1)
        fail(QStringLiteral("the notebook query gave %1 rows, expected %2")
                 .arg(q.recordCount()).arg(g.sizes.bigNotebooks + 1));
    state.counters["rows"] = double(q.recordCount());
}

// The other user's "Todos" list alone, to set RefreshCadernos against.
void BM_NotebookUserTaskFetch(benchmark::State &state)
{
    TfrmMain &w = *g.window;
    signIn(g.notebookUser);
    FbQuery q(g.db->connection());
    q.setSql(w.FDQryTarefas->selectSqlText());
    q.setParam(QStringLiteral("ID"), g.notebookUser);
    timeRepeatedFetch(state, q, "notebook user fetch");
}

void BM_RefreshCadernos(benchmark::State &state)
{
    TfrmMain &w = *g.window;
    signIn(g.notebookUser);
    w.RefreshCadernos(); // warm-up
    settleAndPaint({w.gdCadernos->viewport(), w.tvMain->viewport()});
    for (auto _ : state) {
        Stopwatch t;
        w.RefreshCadernos();
        settleAndPaint({w.gdCadernos->viewport(), w.tvMain->viewport()});
        record(state, "refresh", t.ms());
    }
    if (w.FDQryCadernos->rowCount() != g.sizes.bigNotebooks + 1)
        fail(QStringLiteral("the notebook pane lists %1 rows, expected %2")
                 .arg(w.FDQryCadernos->rowCount()).arg(g.sizes.bigNotebooks + 1));
    checkList(g.notebookUser, g.notebookUserRows);
    state.counters["notebooks"] = w.FDQryCadernos->rowCount() - 1;
}

void setUp(TestDatabase &db)
{
    const Sizes &s = g.sizes;
    std::vector<int> users;
    for (int i = 0; i < s.users; ++i)
        users.push_back(TestDatabase::addUser(db.connection(), QStringLiteral("Pessoa %1").arg(i + 1),
                                QStringLiteral("pessoa%1").arg(i + 1), QStringLiteral("senha")));
    Population p;
    p.firstUser = users.front();
    p.users = s.users;
    p.tasks = s.tasks;
    p.measuredIndex = 0;
    p.bigNotebookIndex = 1;
    p.bigNotebooks = s.bigNotebooks;
    p.smallNotebooks = 10;
    const QByteArray rtf = sampleRtf();
    const QByteArray blob = TestDatabase::compressed(rtf);
    Stopwatch t;
    populate(db.connection(), p, blob);
    g.measuredUser = users[0];
    g.notebookUser = users[1];
    g.measuredRows = scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM TAREFAS WHERE USUARIO_ID = :U"),
                            g.measuredUser).toInt();
    // The toggles below list states 0 to 3: the other user's archived tasks stay out.
    g.notebookUserRows = scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM TAREFAS WHERE USUARIO_ID = :U "
                                                                "AND STATUS IN (0, 1, 2, 3)"),
                                g.notebookUser).toInt();
    std::printf("database: %d tasks over %d users, RTF description %lld bytes (%lld compressed), filled in %.1f s\n",
                s.tasks, s.users, static_cast<long long>(rtf.size()), static_cast<long long>(blob.size()),
                t.ms() / 1000);
    std::printf("measured user: %d tasks listed; notebook user: %d notebooks, %d tasks listed\n", g.measuredRows,
                s.bigNotebooks, g.notebookUserRows);
    if (g.measuredRows != s.tasks / s.users)
        fail(QStringLiteral("the measured user owns %1 tasks").arg(g.measuredRows));
}

void printSummary()
{
    auto has = [](const char *name) { return !g_samples[name].empty(); };
    auto med = [](const char *name) { return median(g_samples[name]); };
    std::printf("\nMedians of this run (ms; min in brackets):\n");
    for (const char *name : {"baseline", "baseline (paired)", "full", "phase fetch+reset", "phase reading pane",
                             "phase rest of fill", "phase events+paint", "focus next", "focus far", "notebook query",
                             "notebook user fetch", "refresh"}) {
        if (has(name))
            std::printf("  %-22s %9.2f  [%9.2f]  n=%zu\n", name, med(name), minimum(g_samples[name]),
                        g_samples[name].size());
    }
    if (has("baseline (paired)") && has("full")) {
        const std::vector<double> &full = g_samples["full"];
        const std::vector<double> &base = g_samples["baseline (paired)"];
        std::vector<double> ratios;
        for (std::size_t i = 0; i < full.size() && i < base.size(); ++i)
            ratios.push_back(full[i] / base[i]);
        std::printf("ratio full/baseline: %.2f (target <= 1.3; median of %zu paired runs, %d rows; "
                    "best full / best baseline %.2f)\n",
                    median(ratios), ratios.size(), g.measuredRows, minimum(full) / minimum(base));
    } else
        std::printf("ratio full/baseline: not measured (both benchmarks must run)\n");
    for (const char *name : {"focus next", "focus far"}) {
        if (has(name))
            std::printf("%s task: %.2f ms = %.2f frames of 16.7 ms (target <= 1 frame)\n", name, med(name),
                        med(name) / (1000.0 / 60.0));
    }
    if (has("notebook query"))
        std::printf("notebook query alone: %.2f ms (%d notebooks)\n", med("notebook query"), g.sizes.bigNotebooks);
    if (has("refresh")) {
        std::printf("RefreshCadernos: %.2f ms (%d notebooks, %d tasks listed)", med("refresh"), g.sizes.bigNotebooks,
                    g.notebookUserRows);
        if (has("notebook query") && has("notebook user fetch"))
            std::printf("; ratio against notebook query + task fetch alone: %.2f",
                        med("refresh") / (med("notebook query") + med("notebook user fetch")));
        std::printf("\n");
    }
    std::printf("steps the events alone had not painted (repainted by hand): %d\n", g.forcedRepaints);
}

int runBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyAppStyle(app);
    const bool smoke = smokeMode();
    g.sizes = smoke ? Sizes{2000, 10, 50, 3, 20} : Sizes{100000, 10, 500, 30, 300};

    std::vector<char *> args(argv, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    try {
        TestDatabase db;
        DialogAnswersScope answers;
        g.db = &db;
        setUp(db);

        TfrmMain window;
        g.window = &window;
        PaintCounter paints;
        g.paints = &paints;
        for (QWidget *w : {window.tvMain->viewport(), window.reTarefa->viewport(), window.gdCadernos->viewport()})
            w->installEventFilter(&paints);
        window.resize(1280, 800);
        window.show();
        window.TimerLogin.stop(); // no sign-in dialog: the user is set below
        if (!QTest::qWaitForWindowExposed(&window))
            fail(QStringLiteral("the main window was never exposed"));
        // The reading pane takes the lower half, as after sign-in.
        const int height = window.cxSplitterTarefas->height();
        window.cxSplitterTarefas->setSizes({height - height / 2, height / 2});
        // "A Fazer" and "Concluídas": the measured user's whole list.
        window.btAndamento->setChecked(true);
        window.btConcluido->setChecked(true);
        window.btArquivados->setChecked(false);
        signIn(g.measuredUser);
        checkList(g.measuredUser, g.measuredRows);

        const int n = g.sizes.iterations;
        const int focusN = g.sizes.focusIterations;
        auto add = [](const char *name, void (*fn)(benchmark::State &), int iterations) {
            benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(
                iterations);
        };
        add("tasklist/baseline_fbquery_fetch", BM_Baseline_FbQueryFetch, n);
        add("tasklist/full_rebuild", BM_FullRebuild, n);
        add("tasklist/focus_next_task", BM_FocusNextTask, focusN);
        add("tasklist/focus_far_task", BM_FocusFarTask, focusN);
        add("notebooks/query_alone", BM_NotebookQueryAlone, n);
        add("notebooks/user_task_fetch", BM_NotebookUserTaskFetch, n);
        add("notebooks/refresh_cadernos", BM_RefreshCadernos, n);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        printSummary();
        g.window = nullptr;
        g.paints = nullptr;
        g.db = nullptr;
        CurrentUserId = 0;
    } catch (const AppError &e) {
        fail(e.message());
    }
    return g.failed ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--minimal-window") {
        if (argc != 3) {
            std::fprintf(stderr, "usage: %s --minimal-window DATABASE\n", argv[0]);
            return 2;
        }
        int qtArgc = 1;
        return minimalWindow(qtArgc, argv, QString::fromLocal8Bit(argv[2]));
    }
    if (mode == "--fill-database") {
        const int tasks = argc == 4 ? std::atoi(argv[3]) : 0;
        if (argc != 4 || tasks <= 0) {
            std::fprintf(stderr, "usage: %s --fill-database DATABASE TASKS\n", argv[0]);
            return 2;
        }
        int qtArgc = 1;
        return fillDatabase(qtArgc, argv, QString::fromLocal8Bit(argv[2]), tasks);
    }
    return runBenchmarks(argc, argv);
}
