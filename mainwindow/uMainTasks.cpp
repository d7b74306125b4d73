// The task list: its statement, the state toggles, the search box and the grid's keys.
#include "mainwindow/notebookmodel.h"
#include "mainwindow/taskmodel.h"
#include "mainwindow/uMain.h"
#include "platform/ui/searchbox.h"
#include "storage/dataset.h"
#include "storage/fbquery.h"
#include "storage/ufDataModule.h"
#include "storage/win1252.h"
#include "users/session.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>

namespace {

const QString kBaseAll = QStringLiteral(
    "SELECT A.ID, A.USUARIO_ID, A.ASSUNTO, A.CADERNO_ID, A.DATA_CADASTRO, A.DATA_INICIO, A.DATA_PREVISTA, "
    "A.DATA_CONCLUSAO, A.DATA_UPDATE, A.STATUS, A.PRIORIDADE, A.ANDAMENTO, A.ORDEM FROM TAREFAS A "
    "WHERE A.USUARIO_ID = :ID ");
const QString kBaseNotebook = QStringLiteral(
    "SELECT A.ID, A.USUARIO_ID, A.ASSUNTO, A.CADERNO_ID, A.DATA_CADASTRO, A.DATA_INICIO, A.DATA_PREVISTA, "
    "A.DATA_CONCLUSAO, A.DATA_UPDATE, A.STATUS, A.PRIORIDADE, A.ANDAMENTO, A.ORDEM FROM TAREFAS A "
    "WHERE A.USUARIO_ID = :ID   AND A.CADERNO_ID = :CADERNO_ID ");

QString upperAsciiOnly(QString text)
{
    for (QChar &c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return text;
}

} // namespace

void TfrmMain::setupDataSets()
{
    FDQryCadernos = new DataSet(DM->FDConn, this);
    FDQryCadernos->setObjectName(QStringLiteral("FDQryCadernos"));
    FDQryCadernos->selectSql() = QStringList{
        QStringLiteral("WITH TOTAL_TAREFAS AS ("),
        QStringLiteral("SELECT COUNT(*) AS TOTAL"),
        QStringLiteral("FROM TAREFAS"),
        QStringLiteral("WHERE USUARIO_ID = :USUARIO_ID"),
        QStringLiteral("AND STATUS NOT IN (3, 4)"),
        QStringLiteral(")"),
        QStringLiteral("SELECT ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, NAME, VISIVEL, IMAGEINDEX, QTD"),
        QStringLiteral("FROM ("),
        QStringLiteral("-- the \"Todos\" row: every task of the user, with the pre-computed total"),
        QStringLiteral("SELECT 0 ID, Cast(:USUARIO_ID as bigint) USUARIO_ID, null PARENTID, null BOXNUMBER, null BOXKIND,"),
        QStringLiteral("'Todos' NAME, 1 VISIVEL, 14 IMAGEINDEX, "),
        QStringLiteral("CAST((SELECT TOTAL FROM TOTAL_TAREFAS) AS INTEGER) QTD "),
        QStringLiteral("FROM RDB$DATABASE"),
        QStringLiteral("UNION ALL"),
        QStringLiteral("-- the user's own notebooks"),
        QStringLiteral("SELECT ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, NAME, VISIVEL, IMAGEINDEX, QTD "),
        QStringLiteral("FROM CADERNO"),
        QStringLiteral("WHERE USUARIO_ID = :USUARIO_ID AND VISIVEL = 1"),
        QStringLiteral(")"),
        QStringLiteral("ORDER BY 1;"),
    };
    FDQryCadernos->setInsertSql(QStringLiteral(
        "INSERT INTO CADERNO\n(ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, \nNAME, VISIVEL, IMAGEINDEX)\n"
        "VALUES (:NEW_ID, :NEW_USUARIO_ID, :NEW_PARENTID, :NEW_BOXNUMBER, :NEW_BOXKIND, \n"
        ":NEW_NAME, :NEW_VISIVEL, :NEW_IMAGEINDEX)\n"
        "RETURNING ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, NAME, VISIVEL, IMAGEINDEX, QTD"));
    FDQryCadernos->setUpdateSql(QStringLiteral(
        "UPDATE CADERNO\nSET ID = :NEW_ID, USUARIO_ID = :NEW_USUARIO_ID, PARENTID = :NEW_PARENTID, \n"
        "BOXNUMBER = :NEW_BOXNUMBER, BOXKIND = :NEW_BOXKIND, NAME = :NEW_NAME, \n"
        "VISIVEL = :NEW_VISIVEL, IMAGEINDEX = :NEW_IMAGEINDEX\nWHERE ID = :OLD_ID\n"
        "RETURNING ID, USUARIO_ID, PARENTID, BOXNUMBER, BOXKIND, NAME, VISIVEL, IMAGEINDEX"));
    FDQryCadernos->setDeleteSql(QStringLiteral("DELETE FROM CADERNO\nWHERE ID = :OLD_ID"));
    notebookModel = new NotebookModel(FDQryCadernos, this);
    connect(FDQryCadernos, &DataSet::currentRowChanged, this, &TfrmMain::gdCadernosDBTableView1FocusedRecordChanged);

    FDQryTarefas = new DataSet(DM->FDConn, this);
    FDQryTarefas->setObjectName(QStringLiteral("FDQryTarefas"));
    FDQryTarefas->setTable(QStringLiteral("TAREFAS"));
    taskModel = new TaskModel(FDQryTarefas, this);

    FDQryTarefasDetalhes = new DataSet(DM->FDConn, this);
    FDQryTarefasDetalhes->setObjectName(QStringLiteral("FDQryTarefasDetalhes"));
    FDQryTarefasDetalhes->selectSql() = QStringList{QStringLiteral("SELECT ID, DESCRICAO FROM TAREFAS"),
                                                    QStringLiteral("WHERE ID = :ID")};
    connect(FDQryTarefas, &DataSet::currentRowChanged, this, [this](int row) {
        const QModelIndex index = taskModel->index(row, TaskModel::dbcSubject);
        if (tvMain->currentIndex().row() != row)
            tvMain->setCurrentIndex(index);
        ReopenDetalhes();
    });
}

QString TfrmMain::stateCondition() const
{
    QString states;
    if (btAndamento->isChecked())
        states += QStringLiteral("0,1,2,");
    if (btConcluido->isChecked())
        states += QStringLiteral("3,");
    if (btArquivados->isChecked())
        states += QStringLiteral("4,");
    if (states.isEmpty())
        return {};
    states.chop(1);
    return QStringLiteral(" AND A.STATUS IN (") + states + QLatin1Char(')');
}

QString TfrmMain::searchCondition() const
{
    QString text = edtPesquisa->text();
    qsizetype start = 0, end = text.size();
    while (start < end && text.at(start).unicode() <= 32)
        ++start;
    while (end > start && text.at(end - 1).unicode() <= 32)
        --end;
    text = text.mid(start, end - start);
    if (text.isEmpty())
        return {};
    text.replace(QLatin1Char(' '), QLatin1Char('%'));
    text = upperAsciiOnly(QLatin1Char('%') + text + QLatin1Char('%'));
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral(" AND UPPER(A.ASSUNTO) LIKE '") + text + QLatin1Char('\'');
}

void TfrmMain::FillListViewGroups(int userId, int notebookId)
{
    FDQryTarefas->close();
    const QString search = searchCondition();
    FDQryTarefas->setSelectSql((notebookId > 0 ? kBaseNotebook : kBaseAll) + stateCondition() + search +
                               QStringLiteral(" ORDER BY A.ORDEM"));
    if (notebookId > 0)
        FDQryTarefas->setParam(QStringLiteral("CADERNO_ID"), notebookId);
    FDQryTarefas->setParam(QStringLiteral("ID"), userId);
    // Subjects are stored in Windows-1252: a search for a character outside it
    // matches nothing, so the list is empty without asking the database.
    if (win1252::canEncode(search))
        FDQryTarefas->open();
    lblItens->setText(QStringLiteral("Itens: ") + QString::number(FDQryTarefas->rowCount()));
}

void TfrmMain::edtPesquisaPropertiesButtonClick()
{
    if (CurrentUserId == 0)
        return;
    FillListViewGroups(CurrentUserId, int(focusedNotebookId()));
    edtPesquisa->setFocus();
}

void TfrmMain::storeToggleFlags()
{
    auto flag = [](QAction *a) { return a->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    QString assignments = QStringLiteral("FLAG_ARQUIVADOS = ") + flag(btArquivados) + QLatin1Char(',') +
                          QStringLiteral("FLAG_INICIADO = ") + flag(btAndamento) + QLatin1Char(',') +
                          QStringLiteral("FLAG_CONCLUIDO = ") + flag(btConcluido) + QLatin1Char(',');
    assignments.chop(1);
    FbQuery q(DM->FDConn);
    q.sql() << QStringLiteral("Update USUARIO Set ") << assignments
            << QStringLiteral(" Where ID = ") + QString::number(CurrentUserId);
    q.execSql();
}

void TfrmMain::btArquivadosClick()
{
    storeToggleFlags();
    FillListViewGroups(CurrentUserId, int(focusedNotebookId()));
}

void TfrmMain::tvMainDblClick()
{
    EditarTarefa();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tvMain && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // tvMainKeyDown: neither key is swallowed.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            EditarTarefa();
        else if (key->key() == Qt::Key_Delete)
            btExcluirClick();
    }
    return QMainWindow::eventFilter(watched, event);
}
