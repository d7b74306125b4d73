// The reading pane: the focused task's description, showing or hiding the
// pane, and keeping the zoom slider in step with the pane's own zoom.
#include "mainwindow/uMain.h"
#include "platform/rtf/rtfreader.h"
#include "platform/ui/zoomslider.h"
#include "platform/ui/zoomtextview.h"
#include "storage/dataset.h"
#include "storage/fbquery.h"
#include "storage/ufDataModule.h"
#include "users/session.h"

#include <QBuffer>
#include <QToolButton>

void TfrmMain::ReopenDetalhes()
{
    FDQryTarefasDetalhes->close();
    FDQryTarefasDetalhes->setParam(QStringLiteral("ID"), FDQryTarefas->value(QStringLiteral("ID")).toLongLong());
    if (FDQryTarefas->currentRow() >= 0)
        FDQryTarefasDetalhes->open();
    FDQryTarefasDetalhesAfterOpen();
}

void TfrmMain::FDQryTarefasDetalhesAfterOpen()
{
    QByteArray compressed = FDQryTarefasDetalhes->isOpen()
                                ? FDQryTarefasDetalhes->value(QStringLiteral("DESCRICAO")).toByteArray()
                                : QByteArray();
    QBuffer source(&compressed);
    source.open(QIODevice::ReadOnly);
    QBuffer content;
    content.open(QIODevice::ReadWrite);
    try {
        DM->DescompactarStream(source, content);
    } catch (...) {
        // Never leave another task's description under this one.
        reTarefa->clear();
        throw;
    }
    rtf::loadInto(*reTarefa->document(), content.data());
}

void TfrmMain::btPainelLeituraOpenClick()
{
    const bool shown = btPainelLeituraOpen->isChecked();
    pnlPainelLeitura->setVisible(shown);
    FbQuery q(DM->FDConn);
    q.sql() << QStringLiteral("Update USUARIO Set ")
            << QStringLiteral("FLAG_PAINEL_LEITURA = ") + QString::number(shown ? 1 : 0)
            << QStringLiteral("Where ID = ") + QString::number(CurrentUserId);
    q.execSql();
}

void TfrmMain::reTarefaMouseWheel()
{
    // The pane has zoomed itself; the slider follows once this event is done.
    QMetaObject::invokeMethod(this, &TfrmMain::SyncZoomFromPane, Qt::QueuedConnection);
}

void TfrmMain::SyncZoomFromPane()
{
    int numerator = 0, denominator = 0;
    reTarefa->zoomRatio(numerator, denominator);
    const int percent = denominator == 0 ? 100 : numerator * 100 / denominator;
    dxZoomTrackBar1->setValue(percent);
}
