#pragma once

#include "platform/rtf/rtfcodepage.h"
#include "platform/rtf/rtfdocumentbuilder.h"
#include "platform/rtf/rtfkeywords.h"
#include "platform/rtf/rtflists.h"
#include "platform/rtf/rtfstate.h"
#include "platform/rtf/rtftables.h"
#include "platform/rtf/rtftokenizer.h"

#include <QString>

#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;

namespace rtf {

// Reads one RTF document into a QTextDocument: follows the group structure and
// each group's destination and formatting, and hands the text to a DocumentBuilder.
// Groups are kept on an explicit, bounded stack, so no input can exhaust the call
// stack or make reading more than linear.
class Parser
{
public:
    // Groups nested deeper than this share the state of the deepest kept level.
    static constexpr std::size_t MaxDepth = 3000;

    Parser(QTextDocument &doc, std::string_view data);
    void run();

private:
    GroupState &state() { return m_stack.back(); }

    void groupStart();
    void groupEnd();
    void closeDestination(const GroupState &closed, GroupState &parent);
    void controlWord(const Token &tok);
    void controlSymbol(char symbol);
    void textBytes(std::string_view bytes);
    void hexByte(std::uint8_t byte);
    void unicodeChar(int value);
    void flushLeadByte();

    bool takesText() const;
    const CodePage &codePage();
    void output(QStringView text);
    void emitChar(char16_t c) { output(QStringView(&c, 1)); }
    void route(QStringView text);
    void endParagraph();

    void commitFont();
    void commitColor();
    void readFieldInstruction();

    Tokenizer m_tokenizer;
    DocumentTables m_tables;
    ListTables m_lists;
    DocumentBuilder m_builder;
    std::vector<GroupState> m_stack;
    std::size_t m_overflowDepth = 0;
    std::optional<GroupState> m_closedDocument; // the state when the document's group closed

    int m_unicodeSkipLeft = 0;   // fallback characters still to skip after \uN
    bool m_ignorableNext = false; // just after \*
    char16_t m_pendingHigh = 0;  // first half of a surrogate pair given by \uN

    int m_documentCodePage = 1252;
    const CodePage *m_codePage = nullptr; // for m_codePageFont; null when stale
    int m_codePageFont = 0;
    int m_leadByte = -1;                  // first byte of a double-byte character
    PairDecoder m_pairs;
    QString m_scratch;

    // the font and colour being defined
    int m_fontNumber = 0;
    bool m_fontOpen = false;
    QString m_fontName;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    ParaNumDef m_paraNum;
    QString m_levelText;
    QString m_fieldInstruction;
    int m_fieldLink = -1;
};

} // namespace rtf
