#pragma once

#include "platform/rtf/rtflists.h"
#include "platform/rtf/rtfstate.h"
#include "platform/rtf/rtftables.h"

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

class QTextDocument;
class QTextList;

namespace rtf {

// Writes paragraphs into a QTextDocument. A paragraph is collected first and
// inserted when it ends, because its formatting, and whether it is a list item,
// is only settled by then; its text goes in as one insertion per run of equal
// formatting.
class DocumentBuilder
{
public:
    DocumentBuilder(QTextDocument &doc, const DocumentTables &tables);

    void appendText(QStringView text, const CharState &format);
    // The number or bullet written out as text (\pntext, \listtext); shown only
    // when the paragraph does not turn out to be a list item.
    void appendListText(QStringView text, const CharState &format);
    // Table cells are separated by a tab in the paragraph of their row.
    void endCell(const CharState &format)
    {
        ++m_pendingCells;
        m_cellFormat = format;
    }
    void endParagraph(const ParaState &para, const CharState &mark, const std::optional<ResolvedList> &list);
    // Ends the last paragraph if it has anything in it.
    bool hasPendingParagraph() const;
    // Fonts or colours were (re)defined: formats built so far may be stale.
    void tablesChanged() { m_formats.clear(); }

private:
    struct Runs {
        QString text;
        std::vector<std::pair<qsizetype, CharState>> starts;

        void append(QStringView s, const CharState &format);
        bool isEmpty() const { return starts.empty(); }
        void clear()
        {
            text.resize(0);
            starts.clear();
        }
    };

    const QTextCharFormat &charFormat(const CharState &state);
    void insertRuns(const Runs &runs);
    void attachToList(const ResolvedList &list);

    QTextCursor m_cursor;
    const DocumentTables &m_tables;
    Runs m_body;
    Runs m_listText;
    int m_pendingCells = 0;
    CharState m_cellFormat;
    bool m_firstBlock = true;
    std::unordered_map<CharState, QTextCharFormat, CharStateHash> m_formats;
    std::optional<std::pair<ParaState, bool>> m_lastBlockKey;
    QTextBlockFormat m_lastBlockFormat;
    // The open list of each chain and level.
    std::map<std::tuple<bool, int, int>, QTextList *> m_lists;
};

} // namespace rtf
