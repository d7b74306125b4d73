// The main window's ribbon, application menu and the commands with no work of their own yet.
#include "mainwindow/ribbonimages.h"
#include "mainwindow/uMain.h"
#include "platform/ui/appstyle.h"
#include "platform/ui/ribbon.h"
#include "platform/ui/searchbox.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QAction *makeAction(QObject *owner, const char *name, const QString &caption, int icon,
                    const QKeySequence &shortcut = {})
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(caption);
    if (icon >= 0)
        action->setIcon(images::ribbon(icon));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

} // namespace

void TfrmMain::buildRibbon()
{
    btNovo = makeAction(this, "btNovo", QStringLiteral("Nova Tarefa"), 0, QKeySequence(Qt::CTRL | Qt::Key_N));
    btEditar = makeAction(this, "btEditar", QStringLiteral("Editar"), 1, QKeySequence(Qt::CTRL | Qt::Key_E));
    btExcluir = makeAction(this, "btExcluir", QStringLiteral("Excluir"), 2, QKeySequence(Qt::CTRL | Qt::Key_D));
    btIniciar = makeAction(this, "btIniciar", QStringLiteral("Iniciar"), 3);
    btPausar = makeAction(this, "btPausar", QStringLiteral("Pausar"), 4);
    btConcluir = makeAction(this, "btConcluir", QStringLiteral("Concluir"), 5);
    btArquivar = makeAction(this, "btArquivar", QStringLiteral("Arquivar"), 6);
    btArquivados = makeAction(this, "btArquivados", QStringLiteral("Arquivados"), 7);
    btAndamento = makeAction(this, "btAndamento", QStringLiteral("A Fazer"), 8);
    btConcluido = makeAction(this, "btConcluido", QStringLiteral("Concluídas"), 10);
    btInicio = makeAction(this, "btInicio", QStringLiteral("Início"), 42);
    btConteudoGeral = makeAction(this, "btConteudoGeral", QStringLiteral("Conteúdo Geral"), 47);
    btSuporte = makeAction(this, "btSuporte", QStringLiteral("Suporte"), 43);
    btAjuda = makeAction(this, "btAjuda", QStringLiteral("Ajuda"), 48);
    for (QAction *toggle : {btArquivados, btAndamento, btConcluido})
        toggle->setCheckable(true);
    // Shortcuts work whichever control of the window has the focus.
    addActions({btNovo, btEditar, btExcluir});

    connect(btNovo, &QAction::triggered, this, &TfrmMain::btNovoClick);
    connect(btEditar, &QAction::triggered, this, &TfrmMain::btEditarClick);
    connect(btExcluir, &QAction::triggered, this, &TfrmMain::btExcluirClick);
    connect(btIniciar, &QAction::triggered, this, &TfrmMain::btIniciarClick);
    connect(btPausar, &QAction::triggered, this, &TfrmMain::btPausarClick);
    connect(btConcluir, &QAction::triggered, this, &TfrmMain::btConcluirClick);
    connect(btArquivar, &QAction::triggered, this, &TfrmMain::btArquivarClick);
    for (QAction *toggle : {btArquivados, btAndamento, btConcluido})
        connect(toggle, &QAction::triggered, this, &TfrmMain::btArquivadosClick);
    connect(btConteudoGeral, &QAction::triggered, this, &TfrmMain::btConteudoGeralClick);
    connect(btSuporte, &QAction::triggered, this, &TfrmMain::btSuporteClick);
    connect(btAjuda, &QAction::triggered, this, &TfrmMain::btAjudaClick);

    edtPesquisa = new SearchBox;
    edtPesquisa->setObjectName(QStringLiteral("edtPesquisa"));
    edtPesquisa->setFixedWidth(353);
    edtPesquisa->setPlaceholderText(QStringLiteral("Pesquisar"));
    edtPesquisa->setToolTip(QStringLiteral("Pesquisar"));
    connect(edtPesquisa, &SearchBox::buttonClicked, this, &TfrmMain::edtPesquisaPropertiesButtonClick);
    connect(edtPesquisa, &SearchBox::keyPressed, this, [this](QKeyEvent *event, bool &handled) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            handled = true;
            edtPesquisaPropertiesButtonClick();
        }
    });

    ribbon = new Ribbon;
    ribbon->setObjectName(QStringLiteral("dxRibbon1"));
    RibbonTab *tab = ribbon->addTab(QStringLiteral("Página Inicial"));
    RibbonGroup *group = tab->addGroup(QStringLiteral("Barra Principal"));
    group->addLargeButton(btNovo);
    group->addSeparator();
    group->addLargeButton(btEditar);
    group->addLargeButton(btExcluir);
    group->addSeparator();
    for (QAction *a : {btIniciar, btPausar, btConcluir, btArquivar})
        group->addLargeButton(a);
    group->addWidget(edtPesquisa);
    for (QAction *a : {btArquivados, btAndamento, btConcluido})
        group->addLargeButton(a);
    group->addSeparator();
    auto *inicioMenu = new QMenu(this);
    inicioMenu->setObjectName(QStringLiteral("pmInicio"));
    inicioMenu->addAction(btConteudoGeral);
    group->addMenuButton(btInicio, inicioMenu, true);
    group->addLargeButton(btSuporte);
    group->addLargeButton(btAjuda);
}

void TfrmMain::buildAppMenu()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pageUsuarios"));
    auto *layout = new QVBoxLayout(page);
    auto *heading = new QLabel(QStringLiteral("Contas de Usuários"));
    heading->setObjectName(QStringLiteral("lblContasUsuarios"));
    heading->setFont(QFont(uiFontFamily(), 12));
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    cxButton1 = new QAction(QIcon::fromTheme(QStringLiteral("system-users")),
                            QStringLiteral("Usuários"), this);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    auto *usersButton = new QToolButton;
    usersButton->setObjectName(QStringLiteral("cxButton1Button"));
    usersButton->setDefaultAction(cxButton1);
    usersButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    usersButton->setIconSize(QSize(40, 40));
    usersButton->setFixedSize(85, 85);
    connect(cxButton1, &QAction::triggered, this, &TfrmMain::cxButton1Click);
    layout->addWidget(heading);
    layout->addWidget(line);
    layout->addWidget(usersButton);
    layout->addStretch(1);

    RibbonAppMenu *menu = ribbon->appMenu();
    menu->addPage(QStringLiteral("Usuários"), page);
    btSair = new QAction(QIcon::fromTheme(QStringLiteral("application-exit")), QStringLiteral("Sair"), this);
    btSair->setObjectName(QStringLiteral("btSair"));
    connect(btSair, &QAction::triggered, this, &TfrmMain::btSairClick);
    menu->addCommand(btSair);
}

// Commands whose work is not built yet: each does nothing rather than pretend.
void TfrmMain::btNovoClick() {}
void TfrmMain::btEditarClick() {}
void TfrmMain::btExcluirClick() {}
void TfrmMain::btIniciarClick() {}
void TfrmMain::btPausarClick() {}
void TfrmMain::btConcluirClick() {}
void TfrmMain::btArquivarClick() {}
void TfrmMain::btConteudoGeralClick() {}
void TfrmMain::btSuporteClick() {}
void TfrmMain::btAjudaClick() {}
void TfrmMain::cxButton1Click() {}
void TfrmMain::EditarTarefa() {}
