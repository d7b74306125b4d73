#pragma once

#include "platform/rtf/rtfstate.h"

#include <QHash>
#include <QString>
#include <QTextListFormat>

#include <optional>
#include <vector>

namespace rtf {

// One level of a \listtable list.
struct ListLevelDef {
    int numberFormat = 0; // \levelnfcN
    QString levelText;    // \leveltext as read: a length character, then text and level placeholders
};

struct ListDef {
    int id = 0;
    std::vector<ListLevelDef> levels;
};

// An old-style {\*\pn ...} numbering definition.
struct ParaNumDef {
    enum class Kind : std::uint8_t { Bullet, Decimal, UpperLetter, LowerLetter, UpperRoman, LowerRoman };
    Kind kind = Kind::Decimal;
    bool bulletLevel = false; // \pnlvlblt
    bool continuation = false; // \pnlvlcont: a paragraph inside an item, with no number of its own
    int level = 0;            // 0-based outline level
    QString textBefore;       // \pntxtb
    QString textAfter;        // \pntxta

    bool operator==(const ParaNumDef &) const = default;
};

// The list a paragraph belongs to. Paragraphs of the same chain and level share
// one QTextList; old-style numbering and each \lsN are separate chains.
struct ResolvedList {
    QTextListFormat format;
    bool paraNum = false; // from {\*\pn}, else from \lsN
    int chain = 0;        // the \lsN
    int level = 0;
};

class ListTables
{
public:
    static constexpr int MaxLevels = 9;

    // \listtable
    void beginList();
    void beginLevel();
    void setListId(int id);
    void setNumberFormat(int nfc);
    void setLevelText(const QString &text);
    // \listoverridetable
    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideStyle(int ls);
    // old-style numbering; returns the index paragraphs refer to
    int addParaNum(const ParaNumDef &def);

    // The list of a paragraph, or nothing when it is not a list item (or refers to
    // a list the document does not define).
    std::optional<ResolvedList> resolve(const ParaState &para);

private:
    ListLevelDef *currentLevel();

    std::vector<ListDef> m_lists;
    std::vector<ParaNumDef> m_paraNums;
    bool m_inLevel = false;
    // Kept up to date as the tables are read, so that tables interleaved with the
    // text never make resolving a paragraph cost more than a lookup.
    QHash<int, int> m_listById;       // \listidN -> index into m_lists (the last list with that id)
    QHash<int, int> m_listIdByStyle;  // \lsN -> \listidN of its override
    bool m_inOverride = false;
    int m_overrideListId = 0;
    std::optional<int> m_overrideStyle;
};

// The QTextList style for a bullet character of a list definition.
QTextListFormat::Style bulletStyle(QChar bullet);

// The list format of one \listtable level; nothing for levels without a number
// (\levelnfc255).
std::optional<QTextListFormat> listLevelFormat(const ListLevelDef &level, int depth);

QTextListFormat paraNumFormat(const ParaNumDef &def);

} // namespace rtf
