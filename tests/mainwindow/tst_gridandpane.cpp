// The task grid's presentation and the reading pane.
#include "tests/mainwindow/mainwindowfixture.h"
#include "tests/support/guitestmain.h"

#include "mainwindow/taskdelegates.h"
#include "mainwindow/taskmodel.h"
#include "platform/ui/zoomslider.h"
#include "platform/ui/zoomtextview.h"
#include "storage/apperror.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QToolButton>
#include <QWheelEvent>

namespace {

const QByteArray kRtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Segoe UI;}}"
                        "\\viewkind4\\uc1\\pard\\f0\\fs18 Comprar \\b p\\'e3o\\b0  e caf\\'e9.\\par}";

} // namespace

class TestGridAndPane : public QObject
{
    Q_OBJECT
private slots:
    void columnsOfTheGrid();
    void cellsShowIconsDatesAndProgress();
    void completedTasksAreStruckThroughInEveryColumn();
    void onlyCutTextGetsAHint();
    void emptyListShowsItsTextAndAnEmptyPane();
    void paneFollowsTheFocusedTask();
    void damagedDescriptionIsReportedAndNotLeftFromAnotherTask();
    void paneToggleIsStoredAndRestored();
    void paneFlagStoreFailureIsReported();
    void ctrlWheelMovesTheSlider();
    void zoomRatioToSlider_data();
    void zoomRatioToSlider();
};

void TestGridAndPane::columnsOfTheGrid()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    QHeaderView *header = f.window.tvMain->horizontalHeader();
    const QStringList captions = {"", "Assunto", "Cadastro", "Inicia em", "Andamento", "Previsão", "Conclusão", ""};
    for (int c = 0; c < captions.size(); ++c) {
        QCOMPARE(f.window.taskModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), captions.at(c));
        QVERIFY(!f.window.tvMain->isColumnHidden(c));
    }
    QVERIFY(f.window.tvMain->isColumnHidden(TaskModel::dbcID));
    QVERIFY(f.window.tvMain->isColumnHidden(TaskModel::dbcOrdem));
    QCOMPARE(header->sectionSize(TaskModel::dbcPriority), 35);
    QCOMPARE(header->sectionSize(TaskModel::dbcFlagStatus), 35);
    QCOMPARE(header->sectionSize(TaskModel::dbcDateDue), 150);
    QCOMPARE(header->sectionResizeMode(TaskModel::dbcPriority), QHeaderView::Fixed);
    QCOMPARE(header->sectionResizeMode(TaskModel::dbcSubject), QHeaderView::Stretch);
    QVERIFY(!f.window.tvMain->isSortingEnabled());
    QVERIFY(!header->sectionsClickable());
    QCOMPARE(f.window.tvMain->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(f.window.tvMain->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(f.window.taskModel->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Importance"));
    QCOMPARE(f.window.taskModel->headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Flag Status"));
}

void TestGridAndPane::cellsShowIconsDatesAndProgress()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("sem datas"), .status = 0, .priority = 0, .progress = 40});
    for (int p = 1; p <= 4; ++p)
        f.db.addTask({.userId = user, .subject = QString::number(p), .status = p, .priority = p % 4,
                      .started = QDateTime(QDate(2026, 3, 4), QTime(8, 5))});
    f.window.btAndamento->setChecked(false);
    f.window.FillListViewGroups(user, 0);
    TaskModel *m = f.window.taskModel;
    auto cell = [&](int row, int col, int role = Qt::DisplayRole) { return m->data(m->index(row, col), role); };
    QCOMPARE(cell(0, TaskModel::dbcSubject).toString(), QStringLiteral("sem datas"));
    QCOMPARE(cell(0, TaskModel::dbcDateCreated).toString(), QStringLiteral("02/01/2026 09:30"));
    for (int col : {TaskModel::dbcDateStart, TaskModel::dbcDateDue, TaskModel::dbcDateCompleted})
        QCOMPARE(cell(0, col).toString(), QString());
    QCOMPARE(cell(0, TaskModel::dbcCompleted, TaskModel::ProgressRole).toInt(), 40);
    QVERIFY(cell(0, TaskModel::dbcPriority, Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(cell(0, TaskModel::dbcFlagStatus, Qt::DecorationRole).value<QIcon>().isNull());
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(cell(row, TaskModel::dbcDateStart).toString(), QStringLiteral("04/03/2026 08:05"));
        QVERIFY(!cell(row, TaskModel::dbcFlagStatus, Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(cell(row, TaskModel::dbcPriority, Qt::DecorationRole).value<QIcon>().isNull(), row == 4);
    }
    // The state icons are those of the commands that lead to each state.
    QCOMPARE(cell(1, TaskModel::dbcFlagStatus, Qt::DecorationRole).value<QIcon>().cacheKey(),
             f.window.btIniciar->icon().cacheKey());
    QCOMPARE(cell(4, TaskModel::dbcFlagStatus, Qt::DecorationRole).value<QIcon>().cacheKey(),
             f.window.btArquivar->icon().cacheKey());
}

void TestGridAndPane::completedTasksAreStruckThroughInEveryColumn()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("feita"), .status = 3});
    f.db.addTask({.userId = user, .subject = QStringLiteral("arquivada"), .status = 4});
    f.window.btAndamento->setChecked(false);
    f.window.FillListViewGroups(user, 0);
    TaskModel *m = f.window.taskModel;
    for (int col = 0; col < TaskModel::dbcID; ++col) {
        const QVariant font = m->data(m->index(0, col), Qt::FontRole);
        QVERIFY(font.value<QFont>().strikeOut());
        QCOMPARE(m->data(m->index(0, col), Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
        QVERIFY(!m->data(m->index(1, col), Qt::FontRole).isValid());
        QVERIFY(!m->data(m->index(1, col), Qt::ForegroundRole).isValid());
    }
}

void TestGridAndPane::onlyCutTextGetsAHint()
{
    MainWindowFixture f;
    const int user = f.signInNewUser();
    f.db.addTask({.userId = user, .subject = QStringLiteral("curta")});
    f.db.addTask({.userId = user, .subject = QStringLiteral("um assunto longo demais para caber na coluna estreita")});
    f.window.FillListViewGroups(user, 0);
    QStyleOptionViewItem option;
    option.font = f.window.tvMain->font();
    option.rect = QRect(0, 0, 120, 24);
    TaskModel *m = f.window.taskModel;
    QVERIFY(!TaskCellDelegate::isElided(option, m->index(0, TaskModel::dbcSubject)));
    QVERIFY(TaskCellDelegate::isElided(option, m->index(1, TaskModel::dbcSubject)));
    QVERIFY(!TaskCellDelegate::isElided(option, m->index(1, TaskModel::dbcPriority))); // no text, no hint
}

void TestGridAndPane::emptyListShowsItsTextAndAnEmptyPane()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    f.signInNewUser();
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens: 0"));
    QVERIFY(f.window.reTarefa->document()->isEmpty());
    // The empty text is drawn: the viewport is not blank.
    const QImage image = f.window.tvMain->viewport()->grab().toImage();
    const QRgb background = image.pixel(2, image.height() - 2);
    bool ink = false;
    for (int y = 0; y < 40 && !ink; ++y)
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = image.pixel(x, y) != background;
    QVERIFY(ink);
}

void TestGridAndPane::paneFollowsTheFocusedTask()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    f.db.addTask({.userId = user, .subject = QStringLiteral("com texto"), .rtf = kRtf});
    f.db.addTask({.userId = user, .subject = QStringLiteral("texto puro"), .rtf = "apenas texto"});
    f.db.addTask({.userId = user, .subject = QStringLiteral("vazia")});
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();

    QTextDocument *doc = f.window.reTarefa->document();
    QCOMPARE(doc->toPlainText(), QStringLiteral("Comprar pão e café."));
    QTextCursor bold(doc);
    bold.setPosition(10);
    QVERIFY(bold.charFormat().fontWeight() >= QFont::Bold);
    f.window.tvMain->setCurrentIndex(f.window.taskModel->index(1, TaskModel::dbcSubject)); // as a click does
    QCOMPARE(doc->toPlainText(), QStringLiteral("apenas texto"));
    f.window.FDQryTarefas->setCurrentRow(2);
    QVERIFY(doc->isEmpty());
}

void TestGridAndPane::damagedDescriptionIsReportedAndNotLeftFromAnotherTask()
{
    MainWindowFixture f;
    const int user = f.db.addUser(QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("segredo"));
    f.db.addTask({.userId = user, .subject = QStringLiteral("boa"), .rtf = kRtf});
    const qint64 bad = f.db.addTask({.userId = user, .subject = QStringLiteral("estragada"), .rtf = kRtf});
    FbQuery q(f.db.connection());
    q.setSql(QStringLiteral("UPDATE TAREFAS SET DESCRICAO = :D WHERE ID = :ID"));
    q.setParam(QStringLiteral("D"), QByteArray("\x78\x9c garbage that is no deflate data", 36));
    q.setParam(QStringLiteral("ID"), bad);
    q.execSql();
    f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
    f.window.TimerLoginTimer();
    QVERIFY(!f.window.reTarefa->document()->isEmpty());

    QVERIFY_THROWS_EXCEPTION(AppError, f.window.FDQryTarefas->setCurrentRow(1));
    QVERIFY(f.window.reTarefa->document()->isEmpty());
    // Through a click, the error reaches the program's error box.
    f.window.FDQryTarefas->setCurrentRow(0);
    QVERIFY(f.showWindow());
    const QRect second = f.window.tvMain->visualRect(f.window.taskModel->index(1, TaskModel::dbcSubject));
    QTest::mouseClick(f.window.tvMain->viewport(), Qt::LeftButton, {}, second.center());
    const auto shown = MessageBox::shownBoxes();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().icon, MessageBox::Critical);
    QVERIFY2(shown.first().text.contains(QStringLiteral("descompactar")), qPrintable(shown.first().text));
    QVERIFY(f.window.reTarefa->document()->isEmpty());
}

void TestGridAndPane::paneToggleIsStoredAndRestored()
{
    int user = 0;
    {
        MainWindowFixture f;
        QVERIFY(f.showWindow());
        user = f.signInNewUser();
        QVERIFY(f.window.pnlPainelLeitura->isVisible());
        const int before = f.window.tvMain->height();
        QTest::mouseClick(f.window.btPainelLeituraOpen, Qt::LeftButton);
        QVERIFY(!f.window.btPainelLeituraOpen->isChecked());
        QVERIFY(!f.window.pnlPainelLeitura->isVisible());
        QTRY_VERIFY(f.window.tvMain->height() > before); // the grid takes the whole height
        QCOMPARE(f.db.scalar(QStringLiteral("SELECT FLAG_PAINEL_LEITURA FROM USUARIO WHERE ID = %1").arg(user)).toInt(), 0);

        // Signing in again later starts with the pane hidden.
        TfrmMain again;
        f.answerLogin(QStringLiteral("ana"), QStringLiteral("segredo"));
        again.show();
        again.TimerLogin.stop();
        again.TimerLoginTimer();
        QVERIFY(!again.btPainelLeituraOpen->isChecked());
        QVERIFY(!again.pnlPainelLeitura->isVisible());

        QTest::mouseClick(f.window.btPainelLeituraOpen, Qt::LeftButton);
        QVERIFY(f.window.pnlPainelLeitura->isVisible());
        QCOMPARE(f.db.scalar(QStringLiteral("SELECT FLAG_PAINEL_LEITURA FROM USUARIO WHERE ID = %1").arg(user)).toInt(), 1);
    }
}

void TestGridAndPane::paneFlagStoreFailureIsReported()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    const int user = f.signInNewUser();
    const QString path = f.db.path();
    f.db.connection().close();
    f.db.connection().settings().database = f.db.folder() + QStringLiteral("/sumiu.fdb");
    QTest::mouseClick(f.window.btPainelLeituraOpen, Qt::LeftButton); // through the program's error handler
    const auto shown = MessageBox::shownBoxes();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(QStringLiteral("Não foi possível abrir o banco de dados")),
             qPrintable(shown.first().text));
    QVERIFY(!f.window.pnlPainelLeitura->isVisible()); // hidden before the flag was to be stored
    f.db.connection().settings().database = path;
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT FLAG_PAINEL_LEITURA FROM USUARIO WHERE ID = %1").arg(user)).toInt(), 1);
}

void TestGridAndPane::ctrlWheelMovesTheSlider()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    f.signInNewUser();
    QWidget *viewport = f.window.reTarefa->viewport();
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent plain(at, viewport->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &plain);
    QCoreApplication::processEvents();
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 100);

    QWheelEvent zoom(at, viewport->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &zoom);
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 100); // queued: follows once the event is done
    QTRY_COMPARE(f.window.dxZoomTrackBar1->value(), f.window.reTarefa->zoomPercent());
    QVERIFY(f.window.dxZoomTrackBar1->value() > 100);
}

void TestGridAndPane::zoomRatioToSlider_data()
{
    QTest::addColumn<int>("paneZoom");
    QTest::addColumn<int>("slider");
    QTest::newRow("3/2") << 150 << 150;
    QTest::newRow("1/10") << 10 << 10;
    QTest::newRow("33/100") << 33 << 33;
    QTest::newRow("5/1") << 500 << 500;
}

void TestGridAndPane::zoomRatioToSlider()
{
    QFETCH(int, paneZoom);
    MainWindowFixture f;
    f.window.SyncZoomFromPane();
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 100); // a pane with no zoom set
    f.window.reTarefa->setZoomPercent(paneZoom);
    f.window.SyncZoomFromPane();
    QTEST(f.window.dxZoomTrackBar1->value(), "slider");
}

ORBILANE_GUI_TEST_MAIN(TestGridAndPane)
#include "tst_gridandpane.moc"
