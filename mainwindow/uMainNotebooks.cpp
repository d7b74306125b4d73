// The notebook pane: the list, its refresh, adding, renaming and deleting.
#include "mainwindow/notebookmodel.h"
#include "mainwindow/uMain.h"
#include "mainwindow/uNovoCaderno.h"
#include "platform/ui/dialogrunner.h"
#include "platform/ui/messagebox.h"
#include "storage/dataset.h"
#include "storage/fbquery.h"
#include "storage/ufDataModule.h"
#include "users/session.h"

#include <QListView>
#include <QMenu>
#include <QScopedValueRollback>

void TfrmMain::OpenCadernos()
{
    FDQryCadernos->close();
    FDQryCadernos->setParam(QStringLiteral("USUARIO_ID"), CurrentUserId);
    FDQryCadernos->open(); // "Todos" becomes the focused row, which builds the first task list
}

void TfrmMain::RefreshCadernos()
{
    const QVariant focused = FDQryCadernos->value(QStringLiteral("ID"));
    {
        const QScopedValueRollback silence(m_silentFocus, true);
        FDQryCadernos->open();
        if (focused.isValid())
            FDQryCadernos->locate(QStringLiteral("ID"), focused);
    }
    gdCadernosDBTableView1FocusedRecordChanged();
}

void TfrmMain::gdCadernosDBTableView1FocusedRecordChanged()
{
    const int row = FDQryCadernos->currentRow();
    const QModelIndex index = notebookModel->index(row, 0);
    if (gdCadernos->currentIndex() != index)
        gdCadernos->setCurrentIndex(index);
    if (m_silentFocus || !FDQryCadernos->isOpen())
        return;
    FillListViewGroups(CurrentUserId, int(focusedNotebookId()));
}

void TfrmMain::btAddCadernosClick()
{
    if (!FDQryCadernos->isOpen())
        return;
    {
        const QScopedValueRollback silence(m_silentFocus, true);
        FDQryCadernos->append();
        FDQryCadernos->setValue(QStringLiteral("ID"), qint64(DM->GenID(QStringLiteral("CADERNO"))));
        FDQryCadernos->setValue(QStringLiteral("USUARIO_ID"), qint64(CurrentUserId));
        FDQryCadernos->setValue(QStringLiteral("IMAGEINDEX"), 15);
        FDQryCadernos->setValue(QStringLiteral("NAME"), QString());
        FDQryCadernos->setValue(QStringLiteral("VISIVEL"), 1);
        runNotebookDialog(QStringLiteral("Adicionar Caderno"));
    }
    gdCadernosDBTableView1FocusedRecordChanged();
}

void TfrmMain::Editar1Click()
{
    if (FDQryCadernos->currentRow() <= 0)
        return;
    FDQryCadernos->edit();
    runNotebookDialog(QStringLiteral("Editar Caderno"));
}

void TfrmMain::runNotebookDialog(const QString &caption)
{
    TfrmNovoCaderno dialog(FDQryCadernos, this);
    dialog.setWindowTitle(caption);
    if (DialogRunner::exec(&dialog) == QDialog::Accepted)
        FDQryCadernos->post();
    else
        FDQryCadernos->cancel();
}

void TfrmMain::Excluir1Click()
{
    if (FDQryCadernos->currentRow() <= 0)
        return;
    if (MessageBox::question(this, QStringLiteral("Exclusão"),
                             QStringLiteral("Confirma a exclusão deste Caderno? Todas as tarefas relacionadas "
                                            "serão excluídas.")) != MessageBox::Yes)
        return;
    FbQuery tasks(DM->FDConn);
    tasks.setSql(QStringLiteral("DELETE FROM TAREFAS WHERE CADERNO_ID = ") + QString::number(focusedNotebookId()));
    tasks.execSql(); // on failure the error is shown and the notebook stays
    {
        const QScopedValueRollback silence(m_silentFocus, true);
        FDQryCadernos->deleteCurrent(); // the neighbouring row takes the focus
    }
    // The counts changed too: refresh the pane, which lists the neighbour's tasks.
    RefreshCadernos();
}

bool TfrmMain::pmCadernosPopup()
{
    return FDQryCadernos->isOpen() && FDQryCadernos->currentRow() > 0;
}

void TfrmMain::showNotebookMenu(const QPoint &pos)
{
    const QModelIndex index = gdCadernos->indexAt(pos);
    if (index.isValid())
        FDQryCadernos->setCurrentRow(index.row());
    if (!index.isValid() || !pmCadernosPopup())
        return;
    pmCadernos->popup(gdCadernos->viewport()->mapToGlobal(pos));
}
