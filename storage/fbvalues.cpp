#include "storage/fbvalues.h"

#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/win1252.h"

#include <QDateTime>

#include <cstring>

using namespace Firebird;

namespace fbvalues {

namespace {

constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetUtf8 = 4;
constexpr unsigned kCharsetWin1252 = 53;
constexpr unsigned kBlobSegment = 32768;

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

} // namespace

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


} // namespace fbvalues
