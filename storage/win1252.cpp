#include "storage/win1252.h"

#include "storage/apperror.h"

#include <QList>

namespace {

// Code points of bytes 0x80..0x9F. The five bytes that Windows-1252 leaves
// undefined map to the C1 control with the same number, as Windows does, so
// that every byte survives a round trip.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace win1252 {

QString decode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighTable[b - 0x80]) : QChar(b);
    }
    return out;
}

bool tryEncode(const QString &text, QByteArray *out, QChar *bad)
{
    out->resize(text.size());
    char *dst = out->data();
    const QChar *src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = encodeChar(src[i].unicode());
        if (b < 0) {
            if (bad)
                *bad = src[i];
            out->clear();
            return false;
        }
        dst[i] = static_cast<char>(b);
    }
    return true;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    QChar bad;
    if (!tryEncode(text, &out, &bad)) {
        QString shown = bad;
        if (bad.isSurrogate()) {
            const qsizetype at = text.indexOf(bad);
            shown = text.mid(at, 2);
        }
        const QString code = QString::number(shown.toUcs4().value(0), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        throw AppError(QStringLiteral("O texto contém o caractere \"%1\" (U+%2), que o banco de dados "
                                      "não consegue guardar. Remova-o e tente novamente.")
                           .arg(shown, code));
    }
    return out;
}

bool canEncode(const QString &text)
{
    for (QChar c : text) {
        if (encodeChar(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace win1252
