#include "storage/cripto.h"

namespace {

// Step of the running key: K = ((c + K) * kMultiplier + kIncrement) mod 2^16.
// Stored passwords depend on these values; they can never change.
constexpr quint32 kMultiplier = 0x8D45;
constexpr quint32 kIncrement = 0x3A7B;

} // namespace

QString Cripto(const QString &text, quint16 key) noexcept
{
    static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    try {
        QString result(text.size() * 2, Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(result.data());
        quint32 k = key;
        for (const QChar unit : text) {
            const quint32 c = (unit.unicode() & 0xFFu) ^ (k >> 8);
            *out++ = kHexDigits[c >> 4];
            *out++ = kHexDigits[c & 0xFu];
            k = ((c + k) * kMultiplier + kIncrement) & 0xFFFFu;
        }
        return result;
    } catch (...) {
        return QString();
    }
}
