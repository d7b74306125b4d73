#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class FbConnection;

// One row of a result: values by column position. A null column is an
// invalid QVariant; BIGINT comes as qint64, INTEGER and SMALLINT as int,
// TIMESTAMP as a local QDateTime with milliseconds, binary blobs as QByteArray,
// text as QString.
using Row = QList<QVariant>;

// The short-lived statement object of the data layer: statement text with
// :NAME parameters, parameters set by name, opened (a SELECT, whose rows are
// all fetched) or executed (whose RETURNING values, if any, become the one
// row), read by column name. Each open or execute runs in its own transaction
// and commits before it returns; on failure it rolls back and throws AppError.
class FbQuery
{
public:
    explicit FbQuery(FbConnection &connection);

    // The statement text, often built line by line; lines are joined with line breaks.
    QStringList &sql() { return m_sql; }
    void setSql(const QString &text) { m_sql = QStringList{text}; }
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }

    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const { return m_params.value(name.toUpper()); }
    void clearParams() { m_params.clear(); }

    void open();
    void execSql();
    void close();

    bool isOpen() const { return m_open; }
    const QStringList &fieldNames() const { return m_fields; }
    int fieldIndex(const QString &name) const; // -1 when there is no such column
    const QList<Row> &rows() const { return m_rows; }
    QList<Row> takeRows() { return std::exchange(m_rows, {}); }
    qsizetype recordCount() const { return m_rows.size(); }
    // Rows written by the last execSql (INSERT, UPDATE, DELETE).
    qint64 rowsAffected() const { return m_rowsAffected; }

    // Cursor over the fetched rows.
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_current >= m_rows.size(); }
    void first() { m_current = 0; }
    void next() { ++m_current; }
    QVariant fieldByName(const QString &name) const; // throws AppError for an unknown column

private:
    void run(bool fetchAll);

    FbConnection &m_connection;
    QStringList m_sql;
    QHash<QString, QVariant> m_params;
    QStringList m_fields;
    QList<Row> m_rows;
    qsizetype m_current = 0;
    qint64 m_rowsAffected = 0;
    bool m_open = false;
};
