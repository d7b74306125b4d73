#include "storage/fbquery.h"

#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/fbconnection.h"
#include "storage/sqlparams.h"
#include "storage/win1252.h"

#include <QDateTime>

#include <cstring>
#include <memory>

using namespace Firebird;

namespace {

constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetUtf8 = 4;
constexpr unsigned kCharsetWin1252 = 53;
constexpr unsigned kBlobSegment = 32768;

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

bool isNullValue(const QVariant &v) { return !v.isValid() || v.isNull(); }

ISC_TIMESTAMP encodeTimestamp(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    ISC_TIMESTAMP ts;
    ts.timestamp_date = fbclient::util()->encodeDate(d.year(), d.month(), d.day());
    ts.timestamp_time = fbclient::util()->encodeTime(t.hour(), t.minute(), t.second(), t.msec() * 10);
    return ts;
}

QDate decodeDate(ISC_DATE date)
{
    unsigned y = 0, m = 0, d = 0;
    fbclient::util()->decodeDate(date, &y, &m, &d);
    return QDate(int(y), int(m), int(d));
}

QTime decodeTime(ISC_TIME time)
{
    unsigned h = 0, m = 0, s = 0, fractions = 0;
    fbclient::util()->decodeTime(time, &h, &m, &s, &fractions);
    return QTime(int(h), int(m), int(s), int(fractions / 10));
}

QString decodeText(const char *data, unsigned size, unsigned charset)
{
    if (charset == kCharsetUtf8)
        return QString::fromUtf8(data, size);
    return win1252::decode(data, size);
}

QByteArray readBlob(IAttachment *att, ITransaction *tra, ISC_QUAD id, ThrowStatusWrapper &status)
{
    IBlob *blob = att->openBlob(&status, tra, &id, 0, nullptr);
    QByteArray content;
    char buffer[kBlobSegment];
    try {
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&status, sizeof buffer, buffer, &got);
            if (rc == IStatus::RESULT_NO_DATA)
                break;
            content.append(buffer, got);
        }
        blob->close(&status);
    } catch (...) {
        blob->release();
        throw;
    }
    return content;
}

ISC_QUAD writeBlob(IAttachment *att, ITransaction *tra, const QByteArray &content, ThrowStatusWrapper &status)
{
    ISC_QUAD id{};
    IBlob *blob = att->createBlob(&status, tra, &id, 0, nullptr);
    try {
        for (qsizetype at = 0; at < content.size(); at += kBlobSegment) {
            const auto n = unsigned(std::min<qsizetype>(kBlobSegment, content.size() - at));
            blob->putSegment(&status, n, content.constData() + at);
        }
        blob->close(&status);
    } catch (...) {
        blob->release();
        throw;
    }
    return id;
}

// How one parameter value travels: the type we describe to the engine (which
// converts it to the column's type) and its bytes.
struct ParamPlan
{
    unsigned type = SQL_NULL;
    unsigned length = 0;
    unsigned charset = 0;
    bool null = true;
    QByteArray bytes;
};

ParamPlan planParam(const QVariant &value, unsigned describedType, unsigned describedLength)
{
    ParamPlan p;
    if (isNullValue(value)) {
        p.type = describedType;
        p.length = describedLength;
        return p;
    }
    p.null = false;
    auto fixed = [&p](unsigned type, const void *data, unsigned size) {
        p.type = type;
        p.length = size;
        p.bytes = QByteArray(static_cast<const char *>(data), size);
    };
    switch (value.typeId()) {
    case QMetaType::Bool: {
        const qint16 v = value.toBool() ? 1 : 0;
        fixed(SQL_SHORT, &v, sizeof v);
        break;
    }
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar: {
        const qint32 v = value.toInt();
        fixed(SQL_LONG, &v, sizeof v);
        break;
    }
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qint64 v = value.toLongLong();
        fixed(SQL_INT64, &v, sizeof v);
        break;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        fixed(SQL_DOUBLE, &v, sizeof v);
        break;
    }
    case QMetaType::QDateTime: {
        const ISC_TIMESTAMP ts = encodeTimestamp(value.toDateTime());
        fixed(SQL_TIMESTAMP, &ts, sizeof ts);
        break;
    }
    case QMetaType::QDate: {
        const ISC_DATE d = encodeTimestamp(value.toDate().startOfDay()).timestamp_date;
        fixed(SQL_TYPE_DATE, &d, sizeof d);
        break;
    }
    case QMetaType::QByteArray:
        if (describedType == SQL_BLOB) {
            p.type = SQL_BLOB;
            p.length = sizeof(ISC_QUAD);
        } else {
            p.type = SQL_VARYING;
            p.charset = kCharsetOctets;
        }
        p.bytes = value.toByteArray();
        break;
    default: {
        const QByteArray text = win1252::encode(value.toString());
        if (describedType == SQL_BLOB) {
            p.type = SQL_BLOB;
            p.length = sizeof(ISC_QUAD);
        } else {
            p.type = SQL_VARYING;
            p.charset = kCharsetWin1252;
        }
        p.bytes = text;
        break;
    }
    }
    if (p.type == SQL_VARYING) {
        if (p.bytes.size() > 32765)
            throw AppError(QStringLiteral("O texto informado é longo demais para ser gravado (%1 bytes).")
                               .arg(p.bytes.size()));
        p.length = unsigned(std::max<qsizetype>(1, p.bytes.size()));
    }
    return p;
}

QVariant readColumn(IMessageMetadata *meta, unsigned i, const unsigned char *buffer, IAttachment *att,
                    ITransaction *tra, ThrowStatusWrapper &status)
{
    if (*reinterpret_cast<const ISC_SHORT *>(buffer + meta->getNullOffset(&status, i)))
        return {};
    const unsigned char *data = buffer + meta->getOffset(&status, i);
    const unsigned type = meta->getType(&status, i);
    const int scale = meta->getScale(&status, i);
    auto scaled = [scale](qint64 v) -> QVariant {
        if (scale == 0)
            return v;
        double d = double(v);
        for (int s = scale; s < 0; ++s)
            d /= 10.0;
        return d;
    };
    switch (type) {
    case SQL_TEXT: {
        const unsigned charset = meta->getCharSet(&status, i);
        const unsigned length = meta->getLength(&status, i);
        if (charset == kCharsetOctets)
            return QByteArray(reinterpret_cast<const char *>(data), length);
        QString s = decodeText(reinterpret_cast<const char *>(data), length, charset);
        // CHAR values come padded with blanks; callers want the value itself.
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        return s;
    }
    case SQL_VARYING: {
        const auto length = *reinterpret_cast<const quint16 *>(data);
        const char *text = reinterpret_cast<const char *>(data + 2);
        const unsigned charset = meta->getCharSet(&status, i);
        if (charset == kCharsetOctets)
            return QByteArray(text, length);
        return decodeText(text, length, charset);
    }
    case SQL_SHORT: {
        qint16 v;
        std::memcpy(&v, data, sizeof v);
        return scale ? scaled(v) : QVariant(int(v));
    }
    case SQL_LONG: {
        qint32 v;
        std::memcpy(&v, data, sizeof v);
        return scale ? scaled(v) : QVariant(int(v));
    }
    case SQL_INT64: {
        qint64 v;
        std::memcpy(&v, data, sizeof v);
        return scaled(v);
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, data, sizeof v);
        return double(v);
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP ts;
        std::memcpy(&ts, data, sizeof ts);
        return QDateTime(decodeDate(ts.timestamp_date), decodeTime(ts.timestamp_time));
    }
    case SQL_TYPE_DATE: {
        ISC_DATE d;
        std::memcpy(&d, data, sizeof d);
        return decodeDate(d);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME t;
        std::memcpy(&t, data, sizeof t);
        return decodeTime(t);
    }
    case SQL_BOOLEAN:
        return bool(*data);
    case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, data, sizeof id);
        const QByteArray content = readBlob(att, tra, id, status);
        if (meta->getSubType(&status, i) == 1)
            return decodeText(content.constData(), unsigned(content.size()), meta->getCharSet(&status, i));
        return content;
    }
    default:
        throw AppError(QStringLiteral("Tipo de coluna não suportado (%1) na coluna %2.")
                           .arg(type)
                           .arg(QString::fromUtf8(meta->getAlias(&status, i))));
    }
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
                plans[i] = planParam(m_params.value(name), r.inMeta->getType(&r.status, i),
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
                    const ISC_QUAD id = writeBlob(att, r.transaction, p.bytes, r.status);
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
                row.append(readColumn(r.outMeta, i, outBuffer.get(), att, r.transaction, r.status));
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
