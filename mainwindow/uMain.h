#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class DataSet;
class NotebookModel;
class QAction;
class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QTableView;
class QToolButton;
class Ribbon;
class SearchBox;
class TaskModel;
class TfrmLogin;
class ZoomSlider;
class ZoomTextView;

// The program's main window: ribbon, notebook pane, task grid, reading pane
// and status bar. Its controls are public so that tests can reach them by the
// names the rest of the program uses.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Ribbon commands.
    QAction *btNovo, *btEditar, *btExcluir, *btIniciar, *btPausar, *btConcluir, *btArquivar;
    QAction *btArquivados, *btAndamento, *btConcluido;
    QAction *btInicio, *btConteudoGeral, *btSuporte, *btAjuda;
    QAction *btSair, *cxButton1;
    Ribbon *ribbon;
    SearchBox *edtPesquisa;

    // Notebook pane.
    QToolButton *btAddCadernos;
    QListView *gdCadernos;
    QMenu *pmCadernos;
    QAction *Excluir1, *Editar1;
    DataSet *FDQryCadernos;
    NotebookModel *notebookModel;

    // Task area.
    QTableView *tvMain;
    DataSet *FDQryTarefas;
    TaskModel *taskModel;
    QSplitter *cxSplitterTarefas;
    QWidget *pnlPainelLeitura;
    ZoomTextView *reTarefa;
    DataSet *FDQryTarefasDetalhes;

    // Status bar.
    QLabel *lblUsuario, *lblItens;
    QToolButton *btPainelLeituraOpen;
    ZoomSlider *dxZoomTrackBar1;

    QTimer TimerLogin;

    // The focused notebook's ID, 0 for "Todos" or when nothing is focused.
    qint64 focusedNotebookId() const;

public slots:
    void FormCreate();
    void btSairClick();
    void dxZoomTrackBar1PropertiesChange();

    void TimerLoginTimer();
    void EfetuaLogin();

    // Notebook pane.
    void OpenCadernos();
    void RefreshCadernos();
    void gdCadernosDBTableView1FocusedRecordChanged();
    void btAddCadernosClick();
    void Editar1Click();
    void Excluir1Click();
    bool pmCadernosPopup(); // false when the menu must not open

    // Task list.
    void FillListViewGroups(int userId, int notebookId);
    void edtPesquisaPropertiesButtonClick();
    void btArquivadosClick();
    void tvMainDblClick();
    void EditarTarefa();

    // Reading pane.
    void FDQryTarefasDetalhesAfterOpen();
    void ReopenDetalhes();
    void btPainelLeituraOpenClick();
    void reTarefaMouseWheel();
    void SyncZoomFromPane();

    // Commands whose work is not built yet: they do nothing.
    void btNovoClick();
    void btEditarClick();
    void btExcluirClick();
    void btIniciarClick();
    void btPausarClick();
    void btConcluirClick();
    void btArquivarClick();
    void btConteudoGeralClick();
    void btSuporteClick();
    void btAjudaClick();
    void cxButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRibbon();
    void buildAppMenu();
    void buildStatusBar();
    QWidget *buildNotebookPane();
    QWidget *buildTaskArea();
    void setupDataSets();
    void showNotebookMenu(const QPoint &pos);
    // The name dialog over the notebook row being added or edited; OK writes it, anything else drops it.
    void runNotebookDialog(const QString &caption);
    void restoreToggles(int painel, int arquivados, int iniciado, int concluido);
    void storeToggleFlags();
    QString searchCondition() const;
    QString stateCondition() const;

    bool m_shownOnce = false;
    // Set while the notebook list is rebuilt, so its focus change builds the task list once.
    bool m_silentFocus = false;
    QPointer<TfrmLogin> m_login;
};

// The one main window, from start-up to the end of the program.
extern TfrmMain *frmMain;
