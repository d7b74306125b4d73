#include "platform/rtf/rtfparser.h"

#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <utility>

namespace rtf {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Lengths beyond 22 inches (the largest page Word allows) are damage.
int twips(int value) { return std::clamp(value, -31680, 31680); }

// Bounds for text collected outside the body, which is never shown in full.
constexpr qsizetype MaxNameLength = 256;
constexpr qsizetype MaxInstructionLength = 4096;

bool isDestinationKeyword(Keyword kw)
{
    switch (kw) {
    case Keyword::FontTable:
    case Keyword::ColorTable:
    case Keyword::SkippedDestination:
    case Keyword::FieldInstruction:
    case Keyword::FieldResult:
    case Keyword::ParaNumText:
    case Keyword::ParaNum:
    case Keyword::PnTextBefore:
    case Keyword::PnTextAfter:
    case Keyword::ListTable:
    case Keyword::ListOverrideTable:
    case Keyword::ListText:
    case Keyword::LevelText:
    case Keyword::UnicodeDestination:
    case Keyword::UnicodePair:
        return true;
    default:
        return false;
    }
}

void appendBounded(QString &target, QStringView text, qsizetype limit)
{
    if (target.size() < limit)
        target.append(text.first(std::min(text.size(), limit - target.size())));
}

// The target of a HYPERLINK field instruction: the URL, with "#bookmark" for \l.
QString hyperlinkTarget(QStringView instruction)
{
    instruction = instruction.trimmed();
    const QLatin1StringView keyword("HYPERLINK");
    if (!instruction.startsWith(keyword, Qt::CaseInsensitive))
        return {};
    instruction = instruction.sliced(keyword.size());

    QStringList words;
    qsizetype i = 0;
    while (i < instruction.size()) {
        if (instruction[i].isSpace()) {
            ++i;
            continue;
        }
        if (instruction[i] == u'"') {
            const qsizetype end = instruction.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? instruction.size() : end;
            words.append(instruction.sliced(i + 1, stop - i - 1).toString());
            i = stop + 1;
            continue;
        }
        qsizetype end = i;
        while (end < instruction.size() && !instruction[end].isSpace())
            ++end;
        words.append(instruction.sliced(i, end - i).toString());
        i = end;
    }

    QString url;
    QString bookmark;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const QString &word = words.at(w);
        if (word.startsWith(u'\\')) {
            if (word == u"\\l" && w + 1 < words.size())
                bookmark = words.at(++w);
            else if ((word == u"\\o" || word == u"\\t") && w + 1 < words.size())
                ++w; // tooltip or target frame
            continue;
        }
        if (url.isEmpty())
            url = word;
    }
    if (!bookmark.isEmpty())
        url += u'#' + bookmark;
    return url;
}

} // namespace

Parser::Parser(QTextDocument &doc, std::string_view data)
    : m_tokenizer(data), m_builder(doc, m_tables)
{
    m_stack.reserve(64);
    m_stack.emplace_back();
}

void Parser::run()
{
    Token tok;
    while (m_tokenizer.next(tok)) {
        // The fallback after \uN is counted in characters; an escape or a control
        // word counts as one, and a group boundary ends it.
        switch (tok.kind) {
        case Token::Kind::GroupStart:
        case Token::Kind::GroupEnd:
            m_unicodeSkipLeft = 0;
            m_ignorableNext = false;
            flushLeadByte();
            if (tok.kind == Token::Kind::GroupStart)
                groupStart();
            else
                groupEnd();
            break;
        case Token::Kind::Text:
            m_ignorableNext = false;
            if (m_unicodeSkipLeft > 0) {
                const std::size_t n = std::min<std::size_t>(std::size_t(m_unicodeSkipLeft), tok.text.size());
                m_unicodeSkipLeft -= int(n);
                tok.text.remove_prefix(n);
            }
            if (!tok.text.empty())
                textBytes(tok.text);
            break;
        case Token::Kind::HexByte:
            m_ignorableNext = false;
            if (m_unicodeSkipLeft > 0)
                --m_unicodeSkipLeft;
            else
                hexByte(tok.byte);
            break;
        case Token::Kind::ControlWord:
            if (m_unicodeSkipLeft > 0) {
                --m_unicodeSkipLeft;
                m_ignorableNext = false;
                break;
            }
            flushLeadByte();
            controlWord(tok);
            break;
        case Token::Kind::ControlSymbol:
            if (m_unicodeSkipLeft > 0) {
                --m_unicodeSkipLeft;
                m_ignorableNext = false;
                break;
            }
            flushLeadByte();
            controlSymbol(tok.symbol);
            break;
        case Token::Kind::Binary:
        case Token::Kind::Ignored:
            m_ignorableNext = false;
            if (m_unicodeSkipLeft > 0)
                --m_unicodeSkipLeft;
            flushLeadByte();
            break;
        case Token::Kind::End:
            break;
        }
    }
    flushLeadByte();
    if (m_pendingHigh) {
        m_pendingHigh = 0;
        route(QStringView(&Replacement, 1));
    }
    if (m_builder.hasPendingParagraph()) {
        const GroupState &s = m_stack.size() == 1 && m_closedDocument ? *m_closedDocument : m_stack.back();
        m_builder.endParagraph(s.para, s.chars, m_lists.resolve(s.para));
    }
}

void Parser::groupStart()
{
    if (m_stack.size() >= MaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Parser::groupEnd()
{
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return; // a '}' with no '{': reading goes on with the outermost state
    if (m_stack.size() == 2)
        m_closedDocument = m_stack.back(); // formats the last paragraph if nothing else ends it
    const GroupState closed = m_stack.back();
    m_stack.pop_back();
    closeDestination(closed, m_stack.back());
}

void Parser::closeDestination(const GroupState &closed, GroupState &parent)
{
    if (closed.destination == Destination::FontTable) {
        commitFont(); // a name the writer did not end with ';'
        m_builder.tablesChanged();
        m_codePage = nullptr;
    }
    if (closed.destination == parent.destination)
        return;
    switch (closed.destination) {
    case Destination::ColorTable:
        if (m_colorGiven)
            commitColor();
        m_builder.tablesChanged();
        break;
    case Destination::ParaNum:
        parent.para.paraNum = m_lists.addParaNum(m_paraNum);
        break;
    case Destination::LevelText:
        m_lists.setLevelText(m_levelText);
        break;
    case Destination::FieldInstruction:
        readFieldInstruction();
        break;
    default:
        break;
    }
}

void Parser::controlWord(const Token &tok)
{
    const bool ignorable = std::exchange(m_ignorableNext, false);
    GroupState &s = state();
    if (s.destination == Destination::Skip)
        return;
    const Keyword kw = lookupKeyword(tok.text);
    if (ignorable && !isDestinationKeyword(kw)) {
        s.destination = Destination::Skip;
        return;
    }

    const int p = tok.param;
    const bool on = !tok.hasParam || p != 0;
    const Destination dest = s.destination;
    const bool inText = dest == Destination::Text;

    switch (kw) {
    case Keyword::Unknown:
        break;

    case Keyword::Ansi: m_documentCodePage = 1252; m_codePage = nullptr; break;
    case Keyword::Mac: m_documentCodePage = 10000; m_codePage = nullptr; break;
    case Keyword::Pc: m_documentCodePage = 437; m_codePage = nullptr; break;
    case Keyword::Pca: m_documentCodePage = 850; m_codePage = nullptr; break;
    case Keyword::AnsiCpg:
        if (p > 0) {
            m_documentCodePage = p;
            m_codePage = nullptr;
        }
        break;
    case Keyword::Deff:
        m_tables.defaultFont = p;
        m_builder.tablesChanged();
        m_codePage = nullptr;
        break;

    case Keyword::FontTable:
        s.destination = Destination::FontTable;
        m_fontOpen = false;
        break;
    case Keyword::F:
        if (dest == Destination::FontTable) {
            commitFont();
            m_fontNumber = p;
            m_tables.fonts[p] = FontEntry{};
            m_fontOpen = true;
            m_fontName.clear();
            m_codePage = nullptr;
        } else {
            s.chars.font = p;
        }
        break;
    case Keyword::FNil:
    case Keyword::FRoman:
    case Keyword::FSwiss:
    case Keyword::FModern:
    case Keyword::FScript:
    case Keyword::FDecor:
    case Keyword::FTech:
    case Keyword::FBidi:
        if (dest == Destination::FontTable && m_fontOpen) {
            static constexpr QFont::StyleHint hints[] = {QFont::AnyStyle, QFont::Serif,      QFont::SansSerif,
                                                         QFont::TypeWriter, QFont::Cursive,  QFont::Decorative,
                                                         QFont::AnyStyle,  QFont::AnyStyle};
            m_tables.fonts[m_fontNumber].hint = hints[int(kw) - int(Keyword::FNil)];
        }
        break;
    case Keyword::FCharset:
        if (dest == Destination::FontTable && m_fontOpen) {
            m_tables.fonts[m_fontNumber].charset = p;
            m_codePage = nullptr;
        }
        break;
    case Keyword::Cpg:
        if (dest == Destination::FontTable && m_fontOpen && p > 0) {
            m_tables.fonts[m_fontNumber].codePage = p;
            m_codePage = nullptr;
        }
        break;

    case Keyword::ColorTable:
        s.destination = Destination::ColorTable;
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
        break;
    case Keyword::Red:
    case Keyword::Green:
    case Keyword::Blue:
        if (dest == Destination::ColorTable) {
            const int value = std::clamp(p, 0, 255);
            (kw == Keyword::Red ? m_red : kw == Keyword::Green ? m_green : m_blue) = value;
            m_colorGiven = true;
        }
        break;

    case Keyword::SkippedDestination:
        s.destination = Destination::Skip;
        break;

    case Keyword::Field:
        m_fieldLink = -1;
        break;
    case Keyword::FieldInstruction:
        s.destination = Destination::FieldInstruction;
        m_fieldInstruction.clear();
        break;
    case Keyword::FieldResult:
        s.chars.link = m_fieldLink;
        break;

    case Keyword::Plain: {
        const int link = s.chars.link; // a field's link is not formatting that \plain resets
        s.chars = CharState{};
        s.chars.link = link;
        break;
    }
    case Keyword::Bold: s.chars.bold = on; break;
    case Keyword::Italic: s.chars.italic = on; break;
    case Keyword::Underline: s.chars.underline = on ? Underline::Single : Underline::None; break;
    case Keyword::UnderlineDouble: s.chars.underline = on ? Underline::Single : Underline::None; break;
    case Keyword::UnderlineDotted: s.chars.underline = on ? Underline::Dotted : Underline::None; break;
    case Keyword::UnderlineDashed: s.chars.underline = on ? Underline::Dashed : Underline::None; break;
    case Keyword::UnderlineDashDot: s.chars.underline = on ? Underline::DashDot : Underline::None; break;
    case Keyword::UnderlineDashDotDot: s.chars.underline = on ? Underline::DashDotDot : Underline::None; break;
    case Keyword::UnderlineWave: s.chars.underline = on ? Underline::Wave : Underline::None; break;
    case Keyword::UnderlineNone: s.chars.underline = Underline::None; break;
    case Keyword::Strike:
    case Keyword::StrikeDouble:
        s.chars.strike = on;
        break;
    case Keyword::FontSize: s.chars.halfPoints = tok.hasParam ? std::clamp(p, 0, 3276) : 24; break;
    case Keyword::ForegroundColor: s.chars.foreground = p; break;
    case Keyword::BackgroundColor:
    case Keyword::Highlight:
        s.chars.background = p > 0 ? p : -1; // 0 is "no highlight" and the automatic colour
        break;
    case Keyword::Super: s.chars.position = on ? VerticalPosition::Super : VerticalPosition::Normal; break;
    case Keyword::Sub: s.chars.position = on ? VerticalPosition::Sub : VerticalPosition::Normal; break;
    case Keyword::NoSuperSub: s.chars.position = VerticalPosition::Normal; break;
    case Keyword::Hidden: s.chars.hidden = on; break;
    case Keyword::Caps: s.chars.capitals = on ? Capitals::All : Capitals::Normal; break;
    case Keyword::SmallCaps: s.chars.capitals = on ? Capitals::Small : Capitals::Normal; break;
    case Keyword::UnicodeSkip: s.unicodeSkip = std::clamp(p, 0, 16); break;
    case Keyword::Unicode:
        unicodeChar(p);
        m_unicodeSkipLeft = s.unicodeSkip;
        break;
    case Keyword::UnicodePair:
        s.outerDestination = dest;
        s.destination = Destination::UnicodePair;
        break;
    case Keyword::UnicodeDestination:
        s.destination = dest == Destination::UnicodePair ? s.outerDestination : Destination::Skip;
        break;

    case Keyword::Pard: s.para = ParaState{}; break;
    case Keyword::AlignLeft: s.para.alignment = Alignment::Left; break;
    case Keyword::AlignCenter: s.para.alignment = Alignment::Center; break;
    case Keyword::AlignRight: s.para.alignment = Alignment::Right; break;
    case Keyword::AlignJustify: s.para.alignment = Alignment::Justify; break;
    case Keyword::LeftIndent: s.para.leftIndent = twips(p); break;
    case Keyword::RightIndent: s.para.rightIndent = twips(p); break;
    case Keyword::FirstIndent: s.para.firstIndent = twips(p); break;
    case Keyword::SpaceBefore: s.para.spaceBefore = twips(p); break;
    case Keyword::SpaceAfter: s.para.spaceAfter = twips(p); break;
    case Keyword::LineSpacing: s.para.lineSpacing = twips(p); break;
    case Keyword::LineSpacingMultiple: s.para.lineSpacingMultiple = tok.hasParam && p != 0; break;
    case Keyword::InTable: s.para.inTable = true; break;

    case Keyword::Par:
    case Keyword::Sect:
    case Keyword::Page:
    case Keyword::Column:
        if (inText)
            endParagraph();
        break;
    case Keyword::Row:
        if (inText)
            endParagraph();
        break;
    case Keyword::Cell:
        if (inText)
            m_builder.endCell(s.chars);
        break;
    case Keyword::Line:
        if (inText)
            emitChar(QChar::LineSeparator);
        break;
    case Keyword::Tab: emitChar(u'\t'); break;
    case Keyword::LeftQuote: emitChar(0x2018); break;
    case Keyword::RightQuote: emitChar(0x2019); break;
    case Keyword::LeftDoubleQuote: emitChar(0x201C); break;
    case Keyword::RightDoubleQuote: emitChar(0x201D); break;
    case Keyword::EnDash: emitChar(0x2013); break;
    case Keyword::EmDash: emitChar(0x2014); break;
    case Keyword::Bullet: emitChar(0x2022); break;
    case Keyword::EnSpace: emitChar(0x2002); break;
    case Keyword::EmSpace: emitChar(0x2003); break;
    case Keyword::QuarterEmSpace: emitChar(0x2005); break;
    case Keyword::ZeroWidthJoiner: emitChar(0x200D); break;
    case Keyword::ZeroWidthNonJoiner: emitChar(0x200C); break;
    case Keyword::LtrMark: emitChar(0x200E); break;
    case Keyword::RtlMark: emitChar(0x200F); break;

    case Keyword::ParaNumText:
    case Keyword::ListText:
        s.destination = Destination::ListText;
        break;
    case Keyword::ParaNum:
        s.destination = Destination::ParaNum;
        m_paraNum = ParaNumDef{};
        break;
    case Keyword::PnLevelBullet:
        if (dest == Destination::ParaNum) {
            m_paraNum.bulletLevel = true;
            m_paraNum.kind = ParaNumDef::Kind::Bullet;
            m_paraNum.level = 0;
        }
        break;
    case Keyword::PnLevelBody:
        if (dest == Destination::ParaNum)
            m_paraNum.level = 0;
        break;
    case Keyword::PnLevelContinue:
        if (dest == Destination::ParaNum)
            m_paraNum.continuation = true;
        break;
    case Keyword::PnLevel:
        if (dest == Destination::ParaNum)
            m_paraNum.level = std::clamp(p - 1, 0, ListTables::MaxLevels - 1);
        break;
    case Keyword::PnDecimal:
    case Keyword::PnUpperLetter:
    case Keyword::PnLowerLetter:
    case Keyword::PnUpperRoman:
    case Keyword::PnLowerRoman:
        if (dest == Destination::ParaNum && !m_paraNum.bulletLevel) {
            static constexpr ParaNumDef::Kind kinds[] = {ParaNumDef::Kind::Decimal, ParaNumDef::Kind::UpperLetter,
                                                         ParaNumDef::Kind::LowerLetter, ParaNumDef::Kind::UpperRoman,
                                                         ParaNumDef::Kind::LowerRoman};
            m_paraNum.kind = kinds[int(kw) - int(Keyword::PnDecimal)];
        }
        break;
    case Keyword::PnTextBefore:
    case Keyword::PnTextAfter:
        if (dest == Destination::ParaNum)
            s.destination = kw == Keyword::PnTextBefore ? Destination::PnTextBefore : Destination::PnTextAfter;
        else
            s.destination = Destination::Skip;
        break;
    case Keyword::PnFont:
        break;

    case Keyword::ListTable: s.destination = Destination::ListTable; break;
    case Keyword::ListOverrideTable: s.destination = Destination::ListOverrideTable; break;
    case Keyword::List:
        if (dest == Destination::ListTable)
            m_lists.beginList();
        break;
    case Keyword::ListLevel:
        if (dest == Destination::ListTable)
            m_lists.beginLevel();
        break;
    case Keyword::ListId:
        if (dest == Destination::ListTable)
            m_lists.setListId(p);
        else if (dest == Destination::ListOverrideTable)
            m_lists.setOverrideListId(p);
        break;
    case Keyword::ListOverride:
        if (dest == Destination::ListOverrideTable)
            m_lists.beginOverride();
        break;
    case Keyword::ListStyle:
        if (dest == Destination::ListOverrideTable) {
            m_lists.setOverrideStyle(p);
        } else {
            s.para.hasListStyle = true;
            s.para.listStyle = p;
        }
        break;
    case Keyword::ListLevelIndex: s.para.listLevel = std::clamp(p, 0, ListTables::MaxLevels - 1); break;
    case Keyword::LevelNumberFormat:
        if (dest == Destination::ListTable)
            m_lists.setNumberFormat(p);
        break;
    case Keyword::LevelText:
        if (dest == Destination::ListTable) {
            s.destination = Destination::LevelText;
            m_levelText.clear();
        } else {
            s.destination = Destination::Skip;
        }
        break;
    }
}

void Parser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    m_ignorableNext = false;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        emitChar(char16_t(symbol));
        break;
    case '~': emitChar(0x00A0); break; // no-break space
    case '-': emitChar(0x00AD); break; // optional hyphen
    case '_': emitChar(0x2011); break; // no-break hyphen
    case '\t': emitChar(u'\t'); break;
    default: break; // \: and \| of index entries and formulas, and unknown symbols
    }
}

bool Parser::takesText() const
{
    switch (m_stack.back().destination) {
    case Destination::Skip:
    case Destination::ListTable:
    case Destination::ListOverrideTable:
    case Destination::ParaNum:
    case Destination::UnicodePair:
        return false;
    default:
        return true;
    }
}

const CodePage &Parser::codePage()
{
    const GroupState &s = m_stack.back();
    int font;
    if (s.destination == Destination::FontTable)
        font = m_fontOpen ? m_fontNumber : INT_MIN; // INT_MIN: no font, the document's page
    else
        font = s.chars.font < 0 ? m_tables.defaultFont : s.chars.font;
    if (m_codePage && font == m_codePageFont)
        return *m_codePage;

    int cp = m_documentCodePage;
    const auto it = font == INT_MIN ? m_tables.fonts.end() : m_tables.fonts.find(font);
    if (it != m_tables.fonts.end()) {
        if (it->second.codePage > 0)
            cp = it->second.codePage;
        else if (it->second.charset >= 0)
            cp = codePageForCharset(it->second.charset, m_documentCodePage);
    }
    m_codePage = &CodePage::get(cp);
    m_codePageFont = font;
    return *m_codePage;
}

void Parser::textBytes(std::string_view bytes)
{
    if (!takesText())
        return;
    const CodePage &cp = codePage();
    if (!cp.isDoubleByte()) {
        m_scratch.resize(0);
        cp.appendSingleBytes(m_scratch, bytes);
        output(m_scratch);
        return;
    }
    for (const char c : bytes)
        hexByte(std::uint8_t(c));
}

void Parser::hexByte(std::uint8_t byte)
{
    if (!takesText())
        return;
    const CodePage &cp = codePage();
    if (m_leadByte >= 0) {
        const std::uint8_t lead = std::uint8_t(std::exchange(m_leadByte, -1));
        if (const std::optional<QString> pair = m_pairs.decode(cp, lead, byte)) {
            output(*pair);
            return;
        }
        emitChar(Replacement); // the lead byte; the byte after it is read on its own
    }
    if (cp.isLeadByte(byte)) {
        m_leadByte = byte;
        return;
    }
    emitChar(cp.single(byte));
}

void Parser::flushLeadByte()
{
    if (m_leadByte >= 0) {
        m_leadByte = -1;
        emitChar(Replacement);
    }
}

void Parser::unicodeChar(int value)
{
    if (!takesText())
        return;
    if (value < 0)
        value += 65536; // values above 32767 are written as negative 16-bit numbers
    const char16_t c = (value < 0 || value > 0xFFFF) ? Replacement : char16_t(value);
    if (QChar::isHighSurrogate(c)) {
        if (m_pendingHigh)
            route(QStringView(&Replacement, 1));
        m_pendingHigh = c;
        return;
    }
    if (QChar::isLowSurrogate(c) && m_pendingHigh) {
        const char16_t pair[2] = {std::exchange(m_pendingHigh, char16_t(0)), c};
        route(QStringView(pair, 2));
        return;
    }
    emitChar(c);
}

void Parser::output(QStringView text)
{
    if (m_pendingHigh) {
        m_pendingHigh = 0;
        route(QStringView(&Replacement, 1));
    }
    route(text);
}

void Parser::route(QStringView text)
{
    GroupState &s = m_stack.back();
    switch (s.destination) {
    case Destination::Text:
        if (!s.chars.hidden)
            m_builder.appendText(text, s.chars);
        break;
    case Destination::ListText:
        if (!s.chars.hidden)
            m_builder.appendListText(text, s.chars);
        break;
    case Destination::FontTable:
        for (const QChar c : text) {
            if (c == u';')
                commitFont();
            else if (m_fontOpen && m_fontName.size() < MaxNameLength)
                m_fontName.append(c);
        }
        break;
    case Destination::ColorTable:
        for (const QChar c : text) {
            if (c == u';')
                commitColor();
        }
        break;
    case Destination::LevelText:
        appendBounded(m_levelText, text, MaxNameLength);
        break;
    case Destination::PnTextBefore:
        appendBounded(m_paraNum.textBefore, text, MaxNameLength);
        break;
    case Destination::PnTextAfter:
        appendBounded(m_paraNum.textAfter, text, MaxNameLength);
        break;
    case Destination::FieldInstruction:
        appendBounded(m_fieldInstruction, text, MaxInstructionLength);
        break;
    default:
        break;
    }
}

void Parser::endParagraph()
{
    const GroupState &s = m_stack.back();
    m_builder.endParagraph(s.para, s.chars, m_lists.resolve(s.para));
}

void Parser::commitFont()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    const QString family = m_fontName.trimmed();
    if (!family.isEmpty())
        m_tables.fonts[m_fontNumber].family = family;
    m_fontName.clear();
}

void Parser::commitColor()
{
    m_tables.colors.push_back(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
}

void Parser::readFieldInstruction()
{
    const QString target = hyperlinkTarget(m_fieldInstruction);
    m_fieldInstruction.clear();
    if (target.isEmpty())
        return;
    m_fieldLink = int(m_tables.links.size());
    m_tables.links.append(target);
}

} // namespace rtf
