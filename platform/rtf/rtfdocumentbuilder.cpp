#include "platform/rtf/rtfdocumentbuilder.h"

#include "platform/rtf/rtfformats.h"

#include <QTextDocument>
#include <QTextList>

#include <climits>

namespace rtf {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// Characters that must not reach the document as they are: controls other than
// tab, the ones QTextDocument uses to mark its own structure, non-characters,
// and surrogates without their other half.
inline bool needsCare(char16_t c)
{
    return c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 ||
           c >= 0xFFFC;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument &doc, const DocumentTables &tables)
    : m_cursor(&doc), m_tables(tables)
{
}

void DocumentBuilder::Runs::append(QStringView s, const CharState &format)
{
    if (s.isEmpty())
        return;
    if (starts.empty() || starts.back().second != format)
        starts.emplace_back(text.size(), format);

    const qsizetype oldSize = text.size();
    text.resize(oldSize + s.size());
    char16_t *out = reinterpret_cast<char16_t *>(text.data()) + oldSize;
    const char16_t *in = s.utf16();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (!needsCare(c)) {
            *out++ = c;
            continue;
        }
        if (c == u'\t') {
            *out++ = c;
        } else if (c < 0x20) {
            continue;
        } else if (c == 0x2029) {
            *out++ = 0x2028; // a paragraph separator inside a paragraph: keep it as a line break
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            *out++ = c;
            *out++ = in[++i];
        } else if (c == 0xFFFD) {
            *out++ = c;
        } else {
            *out++ = Replacement;
        }
    }
    text.resize(out - reinterpret_cast<char16_t *>(text.data()));
    if (text.size() == starts.back().first)
        starts.pop_back(); // everything was dropped
}

void DocumentBuilder::appendText(QStringView text, const CharState &format)
{
    if (text.isEmpty())
        return;
    if (m_pendingCells > 0) {
        m_body.append(QString(m_pendingCells, u'\t'), m_cellFormat);
        m_pendingCells = 0;
    }
    m_body.append(text, format);
}

void DocumentBuilder::appendListText(QStringView text, const CharState &format)
{
    m_listText.append(text, format);
}

bool DocumentBuilder::hasPendingParagraph() const
{
    return !m_body.isEmpty() || !m_listText.isEmpty() || m_pendingCells > 0;
}

const QTextCharFormat &DocumentBuilder::charFormat(const CharState &state)
{
    auto it = m_formats.find(state);
    if (it == m_formats.end()) {
        if (m_formats.size() > 4096)
            m_formats.clear(); // keeps a document of ever-changing formats from growing this without bound
        it = m_formats.emplace(state, makeCharFormat(state, m_tables)).first;
    }
    return it->second;
}

void DocumentBuilder::insertRuns(const Runs &runs)
{
    for (std::size_t i = 0; i < runs.starts.size(); ++i) {
        const qsizetype start = runs.starts[i].first;
        const qsizetype end = i + 1 < runs.starts.size() ? runs.starts[i + 1].first : runs.text.size();
        m_cursor.insertText(runs.text.sliced(start, end - start), charFormat(runs.starts[i].second));
    }
}

void DocumentBuilder::endParagraph(const ParaState &para, const CharState &mark,
                                   const std::optional<ResolvedList> &list)
{
    const bool listItem = list.has_value();
    if (!m_lastBlockKey || m_lastBlockKey->first != para || m_lastBlockKey->second != listItem) {
        m_lastBlockFormat = makeBlockFormat(para, listItem);
        m_lastBlockKey.emplace(para, listItem);
    }
    const QTextCharFormat &markFormat = charFormat(mark);
    if (m_firstBlock) {
        m_cursor.setBlockFormat(m_lastBlockFormat);
        m_cursor.setBlockCharFormat(markFormat);
        m_firstBlock = false;
    } else {
        m_cursor.insertBlock(m_lastBlockFormat, markFormat);
    }

    if (listItem) {
        attachToList(*list);
    } else {
        m_lists.erase(m_lists.lower_bound({true, INT_MIN, INT_MIN}), m_lists.end());
        insertRuns(m_listText);
    }
    insertRuns(m_body);

    m_body.clear();
    m_listText.clear();
    m_pendingCells = 0;
}

void DocumentBuilder::attachToList(const ResolvedList &list)
{
    // Old-style numbering continues only over consecutive items; a \lsN list goes
    // on through the whole document, as in Word. A new item at one level starts
    // the deeper levels of its chain afresh.
    if (!list.paraNum)
        m_lists.erase(m_lists.lower_bound({true, INT_MIN, INT_MIN}), m_lists.end());
    m_lists.erase(m_lists.lower_bound({list.paraNum, list.chain, list.level + 1}),
                  m_lists.upper_bound({list.paraNum, list.chain, INT_MAX}));
    QTextList *&slot = m_lists[{list.paraNum, list.chain, list.level}];
    if (slot && slot->format() == list.format)
        slot->add(m_cursor.block());
    else
        slot = m_cursor.createList(list.format);
}

} // namespace rtf
