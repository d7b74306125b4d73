#include "storage/dataset.h"

#include "storage/apperror.h"

DataSet::DataSet(FbConnection &connection, QObject *parent)
    : QObject(parent), m_connection(connection), m_select(connection)
{
}

void DataSet::setTable(const QString &table, const QString &keyField)
{
    m_table = table;
    m_keyField = keyField.toUpper();
}

void DataSet::open()
{
    emit aboutToReset();
    m_state = State::Inactive;
    m_rows.clear();
    m_current = -1;
    try {
        m_select.open();
    } catch (...) {
        emit wasReset();
        emit currentRowChanged(m_current);
        throw;
    }
    m_fields = m_select.fieldNames();
    m_rows = m_select.takeRows();
    m_select.close();
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    emit wasReset();
    emit currentRowChanged(m_current);
}

void DataSet::close()
{
    if (m_state == State::Inactive)
        return;
    emit aboutToReset();
    m_rows.clear();
    m_current = -1;
    m_state = State::Inactive;
    emit wasReset();
    emit currentRowChanged(m_current);
}

int DataSet::fieldIndex(const QString &name) const
{
    return int(m_fields.indexOf(name.toUpper()));
}

void DataSet::requireField(int index, const QString &name) const
{
    if (index < 0)
        throw AppError(QStringLiteral("A coluna \"%1\" não existe nesta lista.").arg(name));
}

QVariant DataSet::value(int row, const QString &field) const
{
    const int f = fieldIndex(field);
    requireField(f, field);
    return m_rows.at(row).at(f);
}

QVariant DataSet::value(const QString &field) const
{
    const int f = fieldIndex(field);
    requireField(f, field);
    if (m_current < 0 || m_current >= m_rows.size())
        return {};
    return m_rows.at(m_current).at(f);
}

void DataSet::setCurrentRow(int row)
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (row < -1 || row >= m_rows.size())
        row = m_rows.isEmpty() ? -1 : int(m_rows.size()) - 1;
    if (row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(m_current);
}

bool DataSet::locate(const QString &field, const QVariant &value)
{
    const int f = fieldIndex(field);
    requireField(f, field);
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).at(f) == value) {
            setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void DataSet::append()
{
    if (m_state == State::Inactive)
        throw AppError(QStringLiteral("A lista não está aberta."));
    if (m_state != State::Browse)
        post();
    m_previousCurrent = m_current;
    emit rowAboutToBeInserted(int(m_rows.size()));
    m_rows.append(Row(m_fields.size()));
    m_current = int(m_rows.size()) - 1;
    m_state = State::Insert;
    emit rowInserted(m_current);
    emit currentRowChanged(m_current);
}

void DataSet::edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_current < 0)
        throw AppError(QStringLiteral("Não há registro selecionado para alterar."));
    m_original = m_rows.at(m_current);
    m_state = State::Edit;
}

void DataSet::setValue(const QString &field, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(QStringLiteral("O registro não está em edição."));
    const int f = fieldIndex(field);
    requireField(f, field);
    m_rows[m_current][f] = value;
    emit rowChanged(m_current);
}

void DataSet::bindRow(FbQuery &q, const Row &newRow, const Row &oldRow) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        q.setParam(QStringLiteral("NEW_") + m_fields.at(i), newRow.at(i));
        q.setParam(QStringLiteral("OLD_") + m_fields.at(i), oldRow.value(i));
    }
}

void DataSet::copyReturned(const FbQuery &q, Row &row) const
{
    if (q.rows().isEmpty())
        return;
    const Row &returned = q.rows().first();
    for (int i = 0; i < q.fieldNames().size(); ++i) {
        const int f = fieldIndex(q.fieldNames().at(i));
        if (f >= 0)
            row[f] = returned.at(i);
    }
}

QString DataSet::generatedUpdate(const Row &newRow, const Row &oldRow) const
{
    QStringList sets;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (newRow.at(i) != oldRow.at(i))
            sets.append(QStringLiteral("%1 = :NEW_%1").arg(m_fields.at(i)));
    }
    if (sets.isEmpty())
        return {};
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3 = :OLD_%3").arg(m_table, sets.join(QStringLiteral(", ")), m_keyField);
}

void DataSet::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    Row &row = m_rows[m_current];
    const bool inserting = m_state == State::Insert;
    const QString text = inserting ? m_insertSql : (m_updateSql.isEmpty() ? generatedUpdate(row, m_original) : m_updateSql);
    if (text.isEmpty() && (inserting || (m_updateSql.isEmpty() && m_table.isEmpty())))
        throw AppError(QStringLiteral("Esta lista não pode ser alterada."));
    try {
        if (!text.isEmpty()) {
            FbQuery q(m_connection);
            q.setSql(text);
            bindRow(q, row, inserting ? Row(m_fields.size()) : m_original);
            q.execSql();
            if (!inserting && q.rowsAffected() == 0)
                throw AppError(QStringLiteral("O registro não foi encontrado no banco de dados: "
                                              "ele pode ter sido excluído por outro usuário."));
            copyReturned(q, row);
        }
    } catch (...) {
        cancel();
        throw;
    }
    m_state = State::Browse;
    m_original.clear();
    emit rowChanged(m_current);
}

void DataSet::cancel()
{
    if (m_state == State::Insert) {
        const int row = m_current;
        m_state = State::Browse;
        emit rowAboutToBeRemoved(row);
        m_rows.removeAt(row);
        emit rowRemoved(row);
        m_current = std::min(m_previousCurrent, int(m_rows.size()) - 1);
        emit currentRowChanged(m_current);
    } else if (m_state == State::Edit) {
        m_rows[m_current] = m_original;
        m_original.clear();
        m_state = State::Browse;
        emit rowChanged(m_current);
    }
}

void DataSet::deleteCurrent()
{
    if (m_state == State::Insert || m_state == State::Edit)
        cancel();
    if (m_current < 0)
        return;
    const QString text = m_deleteSql.isEmpty() && !m_table.isEmpty()
                             ? QStringLiteral("DELETE FROM %1 WHERE %2 = :OLD_%2").arg(m_table, m_keyField)
                             : m_deleteSql;
    if (text.isEmpty())
        throw AppError(QStringLiteral("Esta lista não permite excluir registros."));
    FbQuery q(m_connection);
    q.setSql(text);
    const Row &row = m_rows.at(m_current);
    bindRow(q, row, row);
    q.execSql();
    const int removed = m_current;
    emit rowAboutToBeRemoved(removed);
    m_rows.removeAt(removed);
    emit rowRemoved(removed);
    m_current = m_rows.isEmpty() ? -1 : std::min(removed, int(m_rows.size()) - 1);
    emit currentRowChanged(m_current);
}
