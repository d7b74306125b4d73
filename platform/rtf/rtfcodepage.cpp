#include "platform/rtf/rtfcodepage.h"

#include <QByteArrayView>

#include <algorithm>
#include <map>
#include <mutex>

namespace rtf {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Bytes 0x80-0x9F of Windows-1252; 0xA0-0xFF equal Latin-1. Kept here so that 1252,
// the fallback for every other page, never depends on the system's converters.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, Replacement, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, Replacement, 0x017D, Replacement,
    Replacement, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, Replacement, 0x017E, 0x0178,
};

struct Names {
    int cp;
    const char *names[3];
};

constexpr Names decoderNames[] = {
    {437, {"IBM437", "cp437", nullptr}},
    {850, {"IBM850", "cp850", nullptr}},
    {852, {"IBM852", "cp852", nullptr}},
    {855, {"IBM855", "cp855", nullptr}},
    {857, {"IBM857", "cp857", nullptr}},
    {860, {"IBM860", "cp860", nullptr}},
    {861, {"IBM861", "cp861", nullptr}},
    {862, {"IBM862", "cp862", nullptr}},
    {863, {"IBM863", "cp863", nullptr}},
    {865, {"IBM865", "cp865", nullptr}},
    {866, {"IBM866", "cp866", nullptr}},
    {869, {"IBM869", "cp869", nullptr}},
    {874, {"windows-874", "cp874", nullptr}},
    {932, {"windows-31j", "cp932", "Shift_JIS"}},
    {936, {"GBK", "windows-936", "cp936"}},
    {949, {"windows-949", "cp949", "EUC-KR"}},
    {950, {"Big5", "windows-950", "cp950"}},
    {1250, {"windows-1250", "cp1250", nullptr}},
    {1251, {"windows-1251", "cp1251", nullptr}},
    {1253, {"windows-1253", "cp1253", nullptr}},
    {1254, {"windows-1254", "cp1254", nullptr}},
    {1255, {"windows-1255", "cp1255", nullptr}},
    {1256, {"windows-1256", "cp1256", nullptr}},
    {1257, {"windows-1257", "cp1257", nullptr}},
    {1258, {"windows-1258", "cp1258", nullptr}},
    {10000, {"macintosh", "x-mac-roman", nullptr}},
    {10006, {"x-mac-greek", nullptr, nullptr}},
    {10007, {"x-mac-cyrillic", nullptr, nullptr}},
    {10029, {"x-mac-centraleurroman", nullptr, nullptr}},
};

bool isLeadByteOf(int cp, std::uint8_t b)
{
    switch (cp) {
    case 932:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
        return b >= 0x81 && b <= 0xFE;
    default:
        return false;
    }
}

bool isDoubleBytePage(int cp) { return cp == 932 || cp == 936 || cp == 949 || cp == 950; }

void fill1252(std::array<char16_t, 256> &table)
{
    for (int b = 0; b < 256; ++b)
        table[b] = char16_t(b);
    for (int b = 0; b < 32; ++b)
        table[0x80 + b] = cp1252High[b];
}

} // namespace

int codePageForCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return SymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage; // 1 (default) and charsets without a page of their own
    }
}

std::unique_ptr<CodePage> CodePage::build(int cp)
{
    std::unique_ptr<CodePage> page(new CodePage);
    fill1252(page->m_table);
    if (cp == 1252)
        return page;
    if (cp == SymbolCodePage) {
        // Symbol fonts draw their own glyphs for these bytes; only the one a
        // paragraph bullet uses has a sure Unicode meaning.
        page->m_number = SymbolCodePage;
        page->m_table[0xB7] = 0x2022;
        return page;
    }

    const char *name = nullptr;
    for (const Names &entry : decoderNames) {
        if (entry.cp != cp)
            continue;
        for (const char *candidate : entry.names) {
            if (candidate && QStringDecoder(candidate).isValid()) {
                name = candidate;
                break;
            }
        }
    }
    if (!name)
        return page; // this system cannot decode cp: stay on 1252

    page->m_number = cp;
    page->m_decoderName = name;
    page->m_doubleByte = isDoubleBytePage(cp);
    for (int b = 0x80; b < 256; ++b) {
        if (page->m_doubleByte && isLeadByteOf(cp, std::uint8_t(b))) {
            page->m_lead[b] = true;
            page->m_table[b] = Replacement;
            continue;
        }
        // A fresh decoder for each byte: an error stays reported after resetState().
        QStringDecoder decoder(name);
        const char byte = char(b);
        const QString decoded = decoder(QByteArrayView(&byte, 1));
        page->m_table[b] = (decoded.size() == 1 && !decoder.hasError()) ? decoded.front().unicode() : Replacement;
    }
    return page;
}

const CodePage &CodePage::get(int cp)
{
    // Only pages this reader knows get a table of their own, so that documents
    // naming arbitrary pages cannot grow the cache.
    const bool known = cp == 1252 || cp == SymbolCodePage ||
                       std::any_of(std::begin(decoderNames), std::end(decoderNames),
                                   [cp](const Names &entry) { return entry.cp == cp; });
    if (!known)
        cp = 1252;
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> pages;
    const std::lock_guard lock(mutex);
    auto it = pages.find(cp);
    if (it == pages.end())
        it = pages.emplace(cp, build(cp)).first;
    return *it->second;
}

void CodePage::appendSingleBytes(QString &out, std::string_view bytes) const
{
    const qsizetype oldSize = out.size();
    out.resize(oldSize + qsizetype(bytes.size()));
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + oldSize;
    for (const char c : bytes)
        *dst++ = m_table[std::uint8_t(c)];
}

std::optional<QString> PairDecoder::decode(const CodePage &cp, std::uint8_t lead, std::uint8_t trail)
{
    if (!cp.decoderName())
        return std::nullopt;
    // An error stays reported after resetState(), so a decoder that saw one is replaced.
    if (m_number != cp.number() || m_decoder.hasError()) {
        m_decoder = QStringDecoder(cp.decoderName());
        m_number = cp.number();
    }
    m_decoder.resetState();
    const char pair[2] = {char(lead), char(trail)};
    QString decoded = m_decoder(QByteArrayView(pair, 2));
    if (m_decoder.hasError() || decoded.isEmpty() || decoded.size() > 2 || decoded.contains(QChar(Replacement)))
        return std::nullopt;
    if (decoded.size() == 2 && !decoded.front().isHighSurrogate())
        return std::nullopt; // the lead did not pair with the trail
    return decoded;
}

} // namespace rtf
