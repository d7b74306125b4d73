#pragma once

#include <QByteArray>
#include <QString>

// Text travels to and from the database in Windows-1252. The conversion is our
// own so that a character the code page cannot hold is reported instead of
// silently turned into '?'.
namespace win1252 {

QString decode(const char *data, qsizetype size);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

// Returns false and leaves the offending character in *bad when text holds a
// character that Windows-1252 cannot represent.
bool tryEncode(const QString &text, QByteArray *out, QChar *bad = nullptr);

// Throws AppError naming the character that cannot be stored.
QByteArray encode(const QString &text);

bool canEncode(const QString &text);

} // namespace win1252
