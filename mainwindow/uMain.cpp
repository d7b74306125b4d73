#include "mainwindow/uMain.h"

#include "mainwindow/notebookdelegate.h"
#include "mainwindow/notebookmodel.h"
#include "mainwindow/ribbonimages.h"
#include "mainwindow/taskdelegates.h"
#include "mainwindow/taskmodel.h"
#include "platform/ui/appstyle.h"
#include "platform/ui/ribbon.h"
#include "platform/ui/searchbox.h"
#include "platform/ui/zoomslider.h"
#include "platform/ui/zoomtextview.h"
#include "storage/dataset.h"
#include "storage/ufDataModule.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmMain *frmMain = nullptr;

namespace {

QLabel *paneHeader(const QString &text, const char *objectName)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(objectName));
    label->setFont(arialFont(12, true));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(21, 66, 139));
    label->setPalette(p);
    label->setFixedHeight(26);
    return label;
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orbilane"));
    resize(1076, 617);

    setupDataSets();
    buildRibbon();
    buildAppMenu();
    buildStatusBar();

    auto *central = new QWidget;
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(ribbon);
    auto *work = new QSplitter(Qt::Horizontal);
    work->setObjectName(QStringLiteral("splitterCadernos"));
    work->setHandleWidth(8);
    work->setChildrenCollapsible(false);
    work->addWidget(buildNotebookPane());
    work->addWidget(buildTaskArea());
    work->setStretchFactor(1, 1);
    work->setSizes({201, 860});
    auto *margins = new QVBoxLayout;
    margins->setContentsMargins(16, 8, 16, 8);
    margins->addWidget(work);
    outer->addLayout(margins, 1);
    setCentralWidget(central);

    TimerLogin.setObjectName(QStringLiteral("TimerLogin"));
    TimerLogin.setInterval(100);
    TimerLogin.setSingleShot(true);
    connect(&TimerLogin, &QTimer::timeout, this, &TfrmMain::TimerLoginTimer);

    FormCreate();
}

TfrmMain::~TfrmMain()
{
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::FormCreate()
{
    // The ribbon is always in its single-row layout; nothing else to switch.
    ribbon->setCurrentTab(0);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        TimerLogin.start();
    }
}

void TfrmMain::btSairClick()
{
    close();
}

void TfrmMain::buildStatusBar()
{
    auto *bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("dxRibbonStatusBar1"));
    bar->setSizeGripEnabled(false);

    lblUsuario = new QLabel(QStringLiteral("Usuário:"));
    lblUsuario->setObjectName(QStringLiteral("lblUsuario"));
    lblUsuario->setFixedWidth(213);
    lblItens = new QLabel(QStringLiteral("Itens:"));
    lblItens->setObjectName(QStringLiteral("lblItens"));
    lblItens->setMinimumWidth(40);
    auto *empty = new QLabel;
    empty->setObjectName(QStringLiteral("lblStatusVazio"));

    btPainelLeituraOpen = new QToolButton;
    btPainelLeituraOpen->setObjectName(QStringLiteral("btPainelLeituraOpen"));
    btPainelLeituraOpen->setText(QStringLiteral("Exibir Painel de Leitura"));
    btPainelLeituraOpen->setToolTip(QStringLiteral("Exibir Painel de Leitura"));
    btPainelLeituraOpen->setIcon(images::ribbon(36));
    btPainelLeituraOpen->setCheckable(true);
    btPainelLeituraOpen->setChecked(true);
    btPainelLeituraOpen->setAutoRaise(true);
    connect(btPainelLeituraOpen, &QToolButton::clicked, this, &TfrmMain::btPainelLeituraOpenClick);

    dxZoomTrackBar1 = new ZoomSlider;
    dxZoomTrackBar1->setObjectName(QStringLiteral("dxZoomTrackBar1"));
    dxZoomTrackBar1->setFixedWidth(250);
    connect(dxZoomTrackBar1, &ZoomSlider::valueChanged, this, &TfrmMain::dxZoomTrackBar1PropertiesChange);

    bar->addWidget(lblUsuario);
    bar->addWidget(lblItens);
    bar->addWidget(empty, 1);
    bar->addPermanentWidget(btPainelLeituraOpen);
    bar->addPermanentWidget(dxZoomTrackBar1);
    setStatusBar(bar);
}

void TfrmMain::dxZoomTrackBar1PropertiesChange()
{
    reTarefa->setZoomPercent(dxZoomTrackBar1->value());
}

QWidget *TfrmMain::buildNotebookPane()
{
    auto *pane = new QWidget;
    pane->setObjectName(QStringLiteral("pnlCadernos"));
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(paneHeader(QStringLiteral("Cadernos"), "lblCadernos"));

    btAddCadernos = new QToolButton;
    btAddCadernos->setObjectName(QStringLiteral("btAddCadernos"));
    btAddCadernos->setText(QStringLiteral(" Adicionar"));
    btAddCadernos->setIcon(QIcon::fromTheme(QStringLiteral("list-add")));
    btAddCadernos->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btAddCadernos->setAutoRaise(true);
    btAddCadernos->setFixedHeight(32);
    btAddCadernos->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(btAddCadernos, &QToolButton::clicked, this, &TfrmMain::btAddCadernosClick);
    layout->addWidget(btAddCadernos);

    gdCadernos = new QListView;
    gdCadernos->setObjectName(QStringLiteral("gdCadernos"));
    gdCadernos->setModel(notebookModel);
    gdCadernos->setItemDelegate(new NotebookDelegate(gdCadernos));
    gdCadernos->setSelectionMode(QAbstractItemView::SingleSelection);
    gdCadernos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gdCadernos->setUniformItemSizes(true);
    gdCadernos->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette p = gdCadernos->palette();
    p.setColor(QPalette::Base, Qt::white);
    gdCadernos->setPalette(p);
    connect(gdCadernos, &QWidget::customContextMenuRequested, this, &TfrmMain::showNotebookMenu);
    connect(gdCadernos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                // The view follows the list's current row; a change made by the user moves the list.
                // While a row is being added or edited the view only follows.
                if (current.isValid() && current.row() != FDQryCadernos->currentRow()
                    && FDQryCadernos->state() == DataSet::State::Browse)
                    FDQryCadernos->setCurrentRow(current.row());
            });
    layout->addWidget(gdCadernos, 1);

    pmCadernos = new QMenu(this);
    pmCadernos->setObjectName(QStringLiteral("pmCadernos"));
    Excluir1 = pmCadernos->addAction(images::ribbon(2), QStringLiteral("Excluir"));
    Excluir1->setObjectName(QStringLiteral("Excluir1"));
    Editar1 = pmCadernos->addAction(images::ribbon(1), QStringLiteral("Editar"));
    Editar1->setObjectName(QStringLiteral("Editar1"));
    connect(Excluir1, &QAction::triggered, this, &TfrmMain::Excluir1Click);
    connect(Editar1, &QAction::triggered, this, &TfrmMain::Editar1Click);

    pane->setMinimumWidth(120);
    return pane;
}

QWidget *TfrmMain::buildTaskArea()
{
    auto *area = new QWidget;
    area->setObjectName(QStringLiteral("pnlTarefas"));
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(paneHeader(QStringLiteral("Tarefas"), "lblTarefas"));

    tvMain = new TaskGridView;
    tvMain->setObjectName(QStringLiteral("tvMain"));
    tvMain->setModel(taskModel);
    configureTaskGrid(tvMain);
    connect(tvMain, &QTableView::doubleClicked, this, &TfrmMain::tvMainDblClick);
    connect(tvMain->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() != FDQryTarefas->currentRow()
                    && FDQryTarefas->state() == DataSet::State::Browse)
                    FDQryTarefas->setCurrentRow(current.row());
            });
    tvMain->installEventFilter(this);

    pnlPainelLeitura = new QWidget;
    pnlPainelLeitura->setObjectName(QStringLiteral("pnlPainelLeitura"));
    auto *paneLayout = new QVBoxLayout(pnlPainelLeitura);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    reTarefa = new ZoomTextView;
    reTarefa->setObjectName(QStringLiteral("reTarefa"));
    reTarefa->document()->setDefaultFont(QFont(uiFontFamily(), 9));
    reTarefa->installEventFilter(this);
    connect(reTarefa, &ZoomTextView::ctrlWheelZoomed, this, &TfrmMain::reTarefaMouseWheel);
    paneLayout->addWidget(reTarefa);

    cxSplitterTarefas = new QSplitter(Qt::Vertical);
    cxSplitterTarefas->setObjectName(QStringLiteral("cxSplitterTarefas"));
    cxSplitterTarefas->setHandleWidth(8);
    cxSplitterTarefas->setChildrenCollapsible(false);
    cxSplitterTarefas->setStyleSheet(QStringLiteral("QSplitter#cxSplitterTarefas::handle { background: rgb(173, 209, 255); }"));
    cxSplitterTarefas->addWidget(tvMain);
    cxSplitterTarefas->addWidget(pnlPainelLeitura);
    layout->addWidget(cxSplitterTarefas, 1);
    return area;
}

qint64 TfrmMain::focusedNotebookId() const
{
    return FDQryCadernos->isOpen() ? FDQryCadernos->value(QStringLiteral("ID")).toLongLong() : 0;
}
