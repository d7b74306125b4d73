#pragma once

#include <QString>
#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace rtf {

// Windows code page used for the bytes of a font whose \fcharset is charset;
// documentCodePage for charsets that defer to the document (\ansicpg).
int codePageForCharset(int charset, int documentCodePage);

// Windows' own number for the code page of symbol fonts (Symbol, Wingdings).
inline constexpr int SymbolCodePage = 42;

// A Windows code page reduced to what reading RTF needs: a table for single bytes
// and, for the East Asian double-byte pages, which bytes start a pair. Tables are
// built once per process and never change afterwards.
class CodePage
{
public:
    // The code page numbered cp, or Windows-1252 when this system cannot decode cp.
    static const CodePage &get(int cp);

    int number() const { return m_number; }
    bool isDoubleByte() const { return m_doubleByte; }
    bool isLeadByte(std::uint8_t b) const { return m_doubleByte && m_lead[b]; }
    char16_t single(std::uint8_t b) const { return m_table[b]; }
    const char *decoderName() const { return m_decoderName; }

    // Appends bytes of a single-byte code page to out.
    void appendSingleBytes(QString &out, std::string_view bytes) const;

private:
    CodePage() = default;
    static std::unique_ptr<CodePage> build(int cp);

    int m_number = 1252;
    bool m_doubleByte = false;
    const char *m_decoderName = nullptr;
    std::array<char16_t, 256> m_table{};
    std::array<bool, 256> m_lead{};
};

// Decodes the two-byte characters of a double-byte code page, one pair at a time.
// Each reader owns one, since a QStringDecoder cannot be shared between threads.
class PairDecoder
{
public:
    // The character for lead+trail in cp, or nothing when the pair is invalid.
    std::optional<QString> decode(const CodePage &cp, std::uint8_t lead, std::uint8_t trail);

private:
    int m_number = -1;
    QStringDecoder m_decoder;
};

} // namespace rtf
