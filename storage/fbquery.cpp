#include "storage/fbquery.h"

#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/fbconnection.h"
#include "storage/fbvalues.h"
#include "storage/sqlparams.h"
#include "storage/win1252.h"


#include <cstring>
#include <memory>

using namespace Firebird;
using fbvalues::ParamPlan;

namespace {

// Releases what one statement run acquired, in reverse order, whatever way the run ends.
struct RunResources
{
    ThrowStatusWrapper status{fbclient::master()->getStatus()};
    ITransaction *transaction = nullptr;
    IStatement *statement = nullptr;
    IMessageMetadata *inMeta = nullptr;
    IMessageMetadata *outMeta = nullptr;
    IMetadataBuilder *builder = nullptr;
    IResultSet *cursor = nullptr;

    ~RunResources()
    {
        CheckStatusWrapper quiet(fbclient::master()->getStatus());
        if (cursor)
            cursor->release();
        if (builder)
            builder->release();
        if (outMeta)
            outMeta->release();
        if (inMeta)
            inMeta->release();
        if (statement)
            statement->release();
        if (transaction)
            transaction->rollback(&quiet); // only reached when the run failed before commit
        quiet.dispose();
        status.dispose();
    }
};

// A SELECT (or WITH ... SELECT) without FOR UPDATE or WITH LOCK only reads;
// anything else, and anything we cannot tell, gets a read-write transaction.
bool isPlainSelect(const QString &sql)
{
    const QString head = sql.trimmed().left(6).toUpper();
    if (head != QLatin1String("SELECT") && !head.startsWith(QLatin1String("WITH")))
        return false;
    const QString upper = sql.toUpper();
    return !upper.contains(QLatin1String("FOR UPDATE")) && !upper.contains(QLatin1String("WITH LOCK"))
           && !upper.contains(QLatin1String("GEN_ID")) && !upper.contains(QLatin1String("NEXT VALUE"));
}

} // namespace

FbQuery::FbQuery(FbConnection &connection) : m_connection(connection) {}

void FbQuery::setParam(const QString &name, const QVariant &value)
{
    m_params.insert(name.toUpper(), value);
}

int FbQuery::fieldIndex(const QString &name) const
{
    return int(m_fields.indexOf(name.toUpper()));
}

QVariant FbQuery::fieldByName(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw AppError(QStringLiteral("A coluna \"%1\" não existe no resultado da consulta.").arg(name));
    if (eof())
        return {};
    return m_rows.at(m_current).at(index);
}

void FbQuery::open()
{
    run(true);
}

void FbQuery::execSql()
{
    run(false);
}

void FbQuery::close()
{
    m_rows.clear();
    m_fields.clear();
    m_current = 0;
    m_rowsAffected = 0;
    m_open = false;
}

void FbQuery::run(bool fetchAll)
{
    close();
    const TranslatedSql translated = translateNamedParameters(sqlText());
    const QByteArray statementText = win1252::encode(translated.sql);

    IAttachment *att = m_connection.attachment();
    RunResources r;
    try {
        r.transaction = m_connection.startTransaction(fetchAll && isPlainSelect(translated.sql));
        r.statement = att->prepare(&r.status, r.transaction, unsigned(statementText.size()), statementText.constData(),
                                   SQL_DIALECT_V6, IStatement::PREPARE_PREFETCH_METADATA);

        // Input message, typed after the values we hold.
        r.inMeta = r.statement->getInputMetadata(&r.status);
        const unsigned inCount = r.inMeta->getCount(&r.status);
        std::vector<ParamPlan> plans(inCount);
        IMessageMetadata *inMeta = r.inMeta;
        if (inCount > 0) {
            r.builder = r.inMeta->getBuilder(&r.status);
            for (unsigned i = 0; i < inCount; ++i) {
                const QString name = translated.names.value(int(i));
                if (!m_params.contains(name))
                    throw AppError(QStringLiteral("O parâmetro \"%1\" da consulta não foi informado.").arg(name));
                plans[i] = fbvalues::planParam(m_params.value(name), r.inMeta->getType(&r.status, i),
                                     r.inMeta->getLength(&r.status, i));
                ParamPlan &p = plans[i];
                r.builder->setType(&r.status, i, p.type | 1);
                r.builder->setLength(&r.status, i, p.length);
                r.builder->setScale(&r.status, i, 0);
                if (p.type == SQL_VARYING)
                    r.builder->setCharSet(&r.status, i, p.charset);
                if (p.type == SQL_BLOB)
                    r.builder->setSubType(&r.status, i, 0);
            }
            r.inMeta->release();
            r.inMeta = r.builder->getMetadata(&r.status);
            inMeta = r.inMeta;
        }
        std::unique_ptr<unsigned char[]> inBuffer;
        if (inCount > 0) {
            const unsigned length = inMeta->getMessageLength(&r.status);
            inBuffer.reset(new unsigned char[length]());
            for (unsigned i = 0; i < inCount; ++i) {
                const ParamPlan &p = plans[i];
                auto *nullFlag = reinterpret_cast<ISC_SHORT *>(inBuffer.get() + inMeta->getNullOffset(&r.status, i));
                unsigned char *data = inBuffer.get() + inMeta->getOffset(&r.status, i);
                *nullFlag = p.null ? -1 : 0;
                if (p.null)
                    continue;
                if (p.type == SQL_BLOB) {
                    const ISC_QUAD id = fbvalues::writeBlob(att, r.transaction, p.bytes, r.status);
                    std::memcpy(data, &id, sizeof id);
                } else if (p.type == SQL_VARYING) {
                    const auto n = quint16(p.bytes.size());
                    std::memcpy(data, &n, sizeof n);
                    std::memcpy(data + 2, p.bytes.constData(), n);
                } else {
                    std::memcpy(data, p.bytes.constData(), size_t(p.bytes.size()));
                }
            }
        }

        r.outMeta = r.statement->getOutputMetadata(&r.status);
        const unsigned outCount = r.outMeta->getCount(&r.status);
        QStringList fields;
        for (unsigned i = 0; i < outCount; ++i) {
            QString alias = QString::fromUtf8(r.outMeta->getAlias(&r.status, i));
            if (alias.isEmpty())
                alias = QString::fromUtf8(r.outMeta->getField(&r.status, i));
            fields.append(alias.toUpper());
        }
        std::unique_ptr<unsigned char[]> outBuffer(new unsigned char[std::max(1u, r.outMeta->getMessageLength(&r.status))]());
        auto readRow = [&]() {
            Row row;
            row.reserve(outCount);
            for (unsigned i = 0; i < outCount; ++i)
                row.append(fbvalues::readColumn(r.outMeta, i, outBuffer.get(), att, r.transaction, r.status));
            return row;
        };

        QList<Row> rows;
        const unsigned type = r.statement->getType(&r.status);
        const bool isSelect = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
        if (isSelect) {
            if (!fetchAll)
                throw AppError(QStringLiteral("Uma consulta SELECT deve ser aberta, não executada."));
            r.cursor = r.statement->openCursor(&r.status, r.transaction, inMeta, inBuffer.get(), r.outMeta, 0);
            while (r.cursor->fetchNext(&r.status, outBuffer.get()) == IStatus::RESULT_OK)
                rows.append(readRow());
            r.cursor->close(&r.status);
            r.cursor = nullptr;
        } else {
            r.statement->execute(&r.status, r.transaction, inMeta, inBuffer.get(), outCount ? r.outMeta : nullptr,
                                 outCount ? outBuffer.get() : nullptr);
            m_rowsAffected = qint64(r.statement->getAffectedRecords(&r.status));
            // An UPDATE ... RETURNING that matched nothing hands back a row of nulls.
            if (outCount && m_rowsAffected > 0)
                rows.append(readRow());
        }
        r.transaction->commit(&r.status);
        r.transaction = nullptr;

        m_fields = fields;
        m_rows = std::move(rows);
        m_current = 0;
        m_open = true;
    } catch (const FbException &e) {
        fbclient::raise(e);
    }
}
