#pragma once

#include "storage/fbquery.h"

#include <QObject>

class FbConnection;

// The rows a window shows and edits: the result of one SELECT, a current row,
// an editing state, and the statements that write a change back (parameters
// :NEW_<column> hold the row after the change, :OLD_<column> before it).
// When no update or delete statement is given and a table is named, the
// update writes only the changed columns and the delete goes by key.
class DataSet : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit DataSet(FbConnection &connection, QObject *parent = nullptr);

    QStringList &selectSql() { return m_select.sql(); }
    void setSelectSql(const QString &text) { m_select.setSql(text); }
    QString selectSqlText() const { return m_select.sqlText(); }
    void setParam(const QString &name, const QVariant &value) { m_select.setParam(name, value); }
    QVariant param(const QString &name) const { return m_select.param(name); }

    void setInsertSql(const QString &text) { m_insertSql = text; }
    void setUpdateSql(const QString &text) { m_updateSql = text; }
    void setDeleteSql(const QString &text) { m_deleteSql = text; }
    void setTable(const QString &table, const QString &keyField = QStringLiteral("ID"));

    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    const QStringList &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const;
    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    QVariant value(int row, int field) const { return m_rows.at(row).at(field); }
    QVariant value(int row, const QString &field) const;
    // The current row's value; an invalid QVariant when there is no current row.
    QVariant value(const QString &field) const;

    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    // Makes the first row whose field equals value current; false when there is none.
    bool locate(const QString &field, const QVariant &value);

    void append();
    void edit();
    void setValue(const QString &field, const QVariant &value);
    // Writes the pending change; on failure the change is undone and the error passed on.
    void post();
    void cancel();
    void deleteCurrent();

signals:
    void aboutToReset();
    void wasReset();
    void currentRowChanged(int row);
    void rowChanged(int row);
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);

private:
    void requireField(int index, const QString &name) const;
    void bindRow(FbQuery &q, const Row &newRow, const Row &oldRow) const;
    void copyReturned(const FbQuery &q, Row &row) const;
    QString generatedUpdate(const Row &newRow, const Row &oldRow) const;

    FbConnection &m_connection;
    FbQuery m_select;
    QString m_insertSql, m_updateSql, m_deleteSql;
    QString m_table, m_keyField;
    QStringList m_fields;
    QList<Row> m_rows;
    Row m_original;       // the row as it was before edit()
    int m_previousCurrent = -1; // current row before append()
    int m_current = -1;
    State m_state = State::Inactive;
};
