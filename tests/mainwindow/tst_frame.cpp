// The main window as a whole: ribbon items, shortcuts, status bar, zoom slider, leaving.
#include "tests/mainwindow/mainwindowfixture.h"
#include "tests/support/guitestmain.h"

#include "platform/ui/ribbon.h"
#include "platform/ui/searchbox.h"
#include "platform/ui/zoomslider.h"
#include "platform/ui/zoomtextview.h"

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

class TestFrame : public QObject
{
    Q_OBJECT
private slots:
    void ribbonItemsInOrder();
    void shortcutsWorkWhateverHasTheFocus();
    void statusBarBeforeSignIn();
    void zoomSliderDrivesThePane();
    void sairClosesTheWindow();
    void appMenuHoldsUsersPageAndSair();
};

void TestFrame::ribbonItemsInOrder()
{
    MainWindowFixture f;
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Orbilane"));
    const Ribbon *ribbon = f.window.ribbon;
    QCOMPARE(ribbon->tabCount(), 1);
    QCOMPARE(ribbon->tabBar()->tabText(0), QStringLiteral("Página Inicial"));
    QCOMPARE(ribbon->tab(0)->groups().size(), 1);
    QCOMPARE(ribbon->tab(0)->groups().first()->title(), QStringLiteral("Barra Principal"));

    struct Item { const char *name; const char *caption; QKeySequence shortcut; bool toggle; };
    const QList<Item> items = {
        {"btNovo", "Nova Tarefa", QKeySequence(Qt::CTRL | Qt::Key_N), false},
        {"btEditar", "Editar", QKeySequence(Qt::CTRL | Qt::Key_E), false},
        {"btExcluir", "Excluir", QKeySequence(Qt::CTRL | Qt::Key_D), false},
        {"btIniciar", "Iniciar", {}, false},
        {"btPausar", "Pausar", {}, false},
        {"btConcluir", "Concluir", {}, false},
        {"btArquivar", "Arquivar", {}, false},
        {"edtPesquisa", "Pesquisar", {}, false},
        {"btArquivados", "Arquivados", {}, true},
        {"btAndamento", "A Fazer", {}, true},
        {"btConcluido", "Concluídas", {}, true},
        {"btInicio", "Início", {}, false},
        {"btSuporte", "Suporte", {}, false},
        {"btAjuda", "Ajuda", {}, false},
    };
    // Left to right as laid out in the group.
    QList<QWidget *> widgets;
    for (QWidget *w : ribbon->findChildren<QWidget *>()) {
        for (const Item &item : items) {
            if (w->objectName() == QLatin1String(item.name) && w->isVisibleTo(&f.window))
                widgets << w;
        }
    }
    QVERIFY(f.showWindow());
    std::sort(widgets.begin(), widgets.end(), [](QWidget *a, QWidget *b) {
        return a->mapTo(a->window(), QPoint()).x() < b->mapTo(b->window(), QPoint()).x();
    });
    QStringList order;
    for (QWidget *w : widgets)
        order << w->objectName();
    QStringList expected;
    for (const Item &item : items)
        expected << QLatin1String(item.name);
    QCOMPARE(order, expected);

    for (const Item &item : items) {
        if (QLatin1String(item.name) == QLatin1String("edtPesquisa"))
            continue;
        auto *action = f.window.findChild<QAction *>(QLatin1String(item.name));
        QVERIFY2(action, item.name);
        QCOMPARE(action->text(), QString::fromUtf8(item.caption));
        QCOMPARE(action->toolTip(), QString::fromUtf8(item.caption));
        QCOMPARE(action->shortcut(), item.shortcut);
        QCOMPARE(action->isCheckable(), item.toggle);
        QVERIFY2(!action->icon().isNull(), item.name);
    }
    QCOMPARE(f.window.edtPesquisa->width(), 353);
    QCOMPARE(f.window.edtPesquisa->toolTip(), QStringLiteral("Pesquisar"));
    QCOMPARE(f.window.btConteudoGeral->text(), QStringLiteral("Conteúdo Geral"));
}

void TestFrame::shortcutsWorkWhateverHasTheFocus()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    f.window.activateWindow();
    const QList<QPair<QAction *, int>> shortcuts = {{f.window.btNovo, Qt::Key_N},
                                                    {f.window.btEditar, Qt::Key_E},
                                                    {f.window.btExcluir, Qt::Key_D}};
    for (QWidget *focus : {static_cast<QWidget *>(f.window.tvMain), static_cast<QWidget *>(f.window.edtPesquisa),
                           static_cast<QWidget *>(f.window.reTarefa)}) {
        focus->setFocus();
        for (const auto &[action, key] : shortcuts) {
            QSignalSpy spy(action, &QAction::triggered);
            QTest::keyClick(focus, Qt::Key(key), Qt::ControlModifier);
            QVERIFY2(spy.count() == 1, qPrintable(action->objectName() + QStringLiteral(" from ") + focus->objectName()));
        }
    }
}

void TestFrame::statusBarBeforeSignIn()
{
    MainWindowFixture f;
    QCOMPARE(f.window.lblUsuario->text(), QStringLiteral("Usuário:"));
    QCOMPARE(f.window.lblUsuario->width(), 213);
    QCOMPARE(f.window.lblItens->text(), QStringLiteral("Itens:"));
    QCOMPARE(f.window.btPainelLeituraOpen->text(), QStringLiteral("Exibir Painel de Leitura"));
    QVERIFY(f.window.btPainelLeituraOpen->isCheckable());
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 100);
    QCOMPARE(f.window.dxZoomTrackBar1->width(), 250);
    QVERIFY(!f.window.FDQryCadernos->isOpen());
    QVERIFY(!f.window.FDQryTarefas->isOpen());
}

void TestFrame::zoomSliderDrivesThePane()
{
    MainWindowFixture f;
    int numerator = 0, denominator = 0;
    f.window.reTarefa->zoomRatio(numerator, denominator);
    QCOMPARE(denominator, 0); // nothing is set until the slider moves
    f.window.dxZoomTrackBar1->setValue(150);
    QCOMPARE(f.window.reTarefa->zoomPercent(), 150);
    f.window.dxZoomTrackBar1->setValue(5);
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 10);
    QCOMPARE(f.window.reTarefa->zoomPercent(), 10);
    f.window.dxZoomTrackBar1->setValue(900);
    QCOMPARE(f.window.dxZoomTrackBar1->value(), 500);
    QCOMPARE(f.window.dxZoomTrackBar1->slider()->singleStep(), 10);
    QCOMPARE(f.window.dxZoomTrackBar1->slider()->pageStep(), 20);
}

void TestFrame::sairClosesTheWindow()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    f.window.btSair->trigger();
    QVERIFY(!f.window.isVisible());
}

void TestFrame::appMenuHoldsUsersPageAndSair()
{
    MainWindowFixture f;
    QVERIFY(f.showWindow());
    RibbonAppMenu *menu = f.window.ribbon->appMenu();
    QTest::mouseClick(f.window.ribbon->appButton(), Qt::LeftButton);
    QVERIFY(menu->isOpen());
    QCOMPARE(menu->pageCount(), 1);
    QCOMPARE(menu->currentPage(), 0);
    auto *heading = menu->page(0)->findChild<QLabel *>(QStringLiteral("lblContasUsuarios"));
    QVERIFY(heading);
    QCOMPARE(heading->text(), QStringLiteral("Contas de Usuários"));
    auto *users = menu->page(0)->findChild<QToolButton *>(QStringLiteral("cxButton1Button"));
    QVERIFY(users);
    QCOMPARE(users->size(), QSize(85, 85));
    QCOMPARE(users->text(), QStringLiteral("Usuários"));
    auto *sair = menu->findChild<QWidget *>(QStringLiteral("btSair"));
    QVERIFY(sair);
    QTest::mouseClick(sair, Qt::LeftButton);
    QVERIFY(!f.window.isVisible());
}

ORBILANE_GUI_TEST_MAIN(TestFrame)
#include "tst_frame.moc"
