#include "platform/rtf/rtftokenizer.h"

#include <algorithm>
#include <limits>

namespace rtf {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool endsText(char c) { return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0'; }

} // namespace

bool Tokenizer::next(Token &tok)
{
    tok = Token{};
    const std::size_t size = m_data.size();
    while (m_pos < size) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            tok.kind = Token::Kind::GroupStart;
            return true;
        case '}':
            ++m_pos;
            tok.kind = Token::Kind::GroupEnd;
            return true;
        case '\\':
            readControl(tok);
            return true;
        case '\r':
        case '\n':
        case '\0':
            // Line breaks in the file carry no meaning; NUL bytes are damage.
            ++m_pos;
            continue;
        default: {
            const std::size_t start = m_pos;
            while (m_pos < size && !endsText(m_data[m_pos]))
                ++m_pos;
            tok.kind = Token::Kind::Text;
            tok.text = m_data.substr(start, m_pos - start);
            return true;
        }
        }
    }
    tok.kind = Token::Kind::End;
    return false;
}

void Tokenizer::readControl(Token &tok)
{
    const std::size_t size = m_data.size();
    ++m_pos; // the backslash
    if (m_pos >= size) {
        tok.kind = Token::Kind::Ignored;
        return;
    }
    const char c = m_data[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            const int hi = m_pos < size ? hexValue(m_data[m_pos]) : -1;
            const int lo = hi >= 0 && m_pos + 1 < size ? hexValue(m_data[m_pos + 1]) : -1;
            if (lo < 0) {
                // A broken escape yields nothing; a hex digit it has is part of it,
                // what follows stays text.
                m_pos += hi >= 0 ? 1 : 0;
                tok.kind = Token::Kind::Ignored;
                return;
            }
            m_pos += 2;
            tok.kind = Token::Kind::HexByte;
            tok.byte = static_cast<std::uint8_t>(hi * 16 + lo);
            return;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line break is an old spelling of \par.
            tok.kind = Token::Kind::ControlWord;
            tok.text = "par";
            return;
        }
        tok.kind = Token::Kind::ControlSymbol;
        tok.symbol = c;
        return;
    }

    const std::size_t nameStart = m_pos;
    while (m_pos < size && isLetter(m_data[m_pos]))
        ++m_pos;
    const std::size_t nameLength = m_pos - nameStart;

    bool negative = false;
    if (m_pos + 1 < size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    bool hasParam = false;
    bool paramTooLong = false;
    std::int64_t value = 0;
    int digits = 0;
    while (m_pos < size && isDigit(m_data[m_pos])) {
        hasParam = true;
        if (digits < MaxParamDigits)
            value = value * 10 + (m_data[m_pos] - '0');
        else
            paramTooLong = true;
        ++digits;
        ++m_pos;
    }
    if (m_pos < size && m_data[m_pos] == ' ')
        ++m_pos; // the delimiting space belongs to the control word

    if (nameLength > std::size_t(MaxWordLength)) {
        tok.kind = Token::Kind::Ignored;
        return;
    }
    if (paramTooLong)
        value = std::numeric_limits<std::int64_t>::max();
    if (negative)
        value = -value;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());

    tok.kind = Token::Kind::ControlWord;
    tok.text = m_data.substr(nameStart, nameLength);
    tok.hasParam = hasParam;
    tok.param = static_cast<std::int32_t>(value);

    if (tok.text == "bin") {
        // Binary data follows; its length can never reach past the input.
        const std::size_t remaining = size - m_pos;
        const std::size_t length = tok.param > 0 ? std::min<std::size_t>(std::size_t(tok.param), remaining) : 0;
        m_pos += length;
        tok.kind = Token::Kind::Binary;
    }
}

} // namespace rtf
