#pragma once

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace rtf {

// One lexical unit of an RTF stream. Text points into the tokenizer's input.
struct Token {
    enum class Kind : std::uint8_t {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // name holds the letters, param the (clamped) number when hasParam
        ControlSymbol, // symbol holds the character after the backslash
        Text,          // a run of plain bytes, never containing \ { } CR LF NUL
        HexByte,       // \'hh, value in byte
        Binary,        // the data skipped after \binN
        Ignored,       // an escape that could not be read (overlong word, bad \')
    };

    Kind kind = Kind::End;
    bool hasParam = false;
    char symbol = 0;
    std::uint8_t byte = 0;
    std::int32_t param = 0;
    std::string_view text;
};

// Splits RTF bytes into tokens in a single forward pass; every call consumes at
// least one byte, so tokenizing is linear in the input whatever it holds.
class Tokenizer
{
public:
    static constexpr int MaxWordLength = 32;
    static constexpr int MaxParamDigits = 10;

    explicit Tokenizer(std::string_view input) : m_data(input) {}

    // Fills tok with the next token; returns false (and Kind::End) at the end.
    bool next(Token &tok);

private:
    void readControl(Token &tok);

    std::string_view m_data;
    std::size_t m_pos = 0;
};

} // namespace rtf
