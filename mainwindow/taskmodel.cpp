#include "mainwindow/taskmodel.h"

#include "mainwindow/ribbonimages.h"
#include "platform/ui/appstyle.h"
#include "storage/dataset.h"

#include <QDateTime>
#include <QFont>

namespace {

QIcon priorityIcon(int priority)
{
    switch (priority) {
    case 1:
        return images::ribbon(39);
    case 2:
        return images::ribbon(40);
    case 3:
        return images::ribbon(41);
    default:
        return {};
    }
}

QIcon statusIcon(int status)
{
    // The icons of the commands that lead to each state.
    return (status >= 1 && status <= 4) ? images::ribbon(status + 2) : QIcon();
}

} // namespace

QString TaskModel::fieldOf(int column)
{
    static const char *const fields[ColumnCount] = {"PRIORIDADE", "ASSUNTO", "DATA_CADASTRO", "DATA_INICIO",
                                                    "ANDAMENTO", "DATA_PREVISTA", "DATA_CONCLUSAO", "STATUS",
                                                    "ID", "ORDEM"};
    return (column >= 0 && column < ColumnCount) ? QString::fromLatin1(fields[column]) : QString();
}

QFont TaskModel::stBaixadoFont()
{
    QFont f(uiFontFamily(), 9);
    f.setStrikeOut(true);
    return f;
}

QString TaskModel::formatDate(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

int TaskModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TaskModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_data->rowCount())
        return {};
    const int row = index.row();
    const int status = m_data->value(row, QStringLiteral("STATUS")).toInt();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case dbcPriority:
        case dbcFlagStatus:
            return {};
        case dbcCompleted:
            return QStringLiteral("%1%").arg(m_data->value(row, QStringLiteral("ANDAMENTO")).toInt());
        case dbcDateCreated:
        case dbcDateStart:
        case dbcDateDue:
        case dbcDateCompleted:
            return formatDate(m_data->value(row, fieldOf(index.column())));
        default:
            return m_data->value(row, fieldOf(index.column()));
        }
    case Qt::DecorationRole:
        if (index.column() == dbcPriority)
            return priorityIcon(m_data->value(row, QStringLiteral("PRIORIDADE")).toInt());
        if (index.column() == dbcFlagStatus)
            return statusIcon(status);
        return {};
    case ProgressRole:
        return m_data->value(row, QStringLiteral("ANDAMENTO")).toInt();
    case StatusRole:
        return status;
    case Qt::FontRole: // tvMainStylesGetContentStyle: completed tasks get stBaixado
        if (status == 3)
            return stBaixadoFont();
        return {};
    case Qt::ForegroundRole:
        if (status == 3)
            return stBaixadoColor();
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TaskModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        static const char *const captions[ColumnCount] = {"", "Assunto", "Cadastro", "Inicia em", "Andamento",
                                                          "Previsão", "Conclusão", "", "ID", "ORDEM"};
        return (section >= 0 && section < ColumnCount) ? QString::fromUtf8(captions[section]) : QVariant();
    }
    if (role == Qt::DecorationRole) {
        if (section == dbcPriority)
            return images::ribbon(41);
        if (section == dbcFlagStatus)
            return QIcon::fromTheme(QStringLiteral("flag-black"), QIcon::fromTheme(QStringLiteral("flag")));
    }
    if (role == Qt::ToolTipRole) {
        if (section == dbcPriority)
            return QStringLiteral("Importance");
        if (section == dbcFlagStatus)
            return QStringLiteral("Flag Status");
    }
    return {};
}
