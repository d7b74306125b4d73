#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace rtf {

// Where the text of the current group goes.
enum class Destination : std::uint8_t {
    Text,             // the document body (also field results)
    Skip,             // pictures, metadata, unknown ignorable groups
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    ListText,         // \pntext and \listtext: the number or bullet as plain text
    ParaNum,          // an old-style {\*\pn ...} numbering definition
    PnTextBefore,
    PnTextAfter,
    LevelText,
    FieldInstruction,
    UnicodePair,      // \upr: its first part repeats the \ud part in ANSI
};

enum class Underline : std::uint8_t { None, Single, Dotted, Dashed, DashDot, DashDotDot, Wave };
enum class VerticalPosition : std::uint8_t { Normal, Super, Sub };
enum class Capitals : std::uint8_t { Normal, All, Small };

// Character formatting of a run, as indexes into the document's tables.
struct CharState {
    int font = -1;       // -1: the document's default font (\deff)
    int halfPoints = 0;  // 0: not given
    int foreground = -1; // colour table index; -1 none
    int background = -1;
    int link = -1;       // index of a hyperlink target
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    VerticalPosition position = VerticalPosition::Normal;
    Capitals capitals = Capitals::Normal;

    bool operator==(const CharState &) const = default;
};

struct CharStateHash {
    std::size_t operator()(const CharState &s) const noexcept
    {
        std::size_t h = std::hash<int>()(s.font);
        const auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
        mix(std::size_t(s.halfPoints));
        mix(std::size_t(s.foreground));
        mix(std::size_t(s.background));
        mix(std::size_t(s.link));
        mix(std::size_t(s.bold) | std::size_t(s.italic) << 1 | std::size_t(s.strike) << 2 |
            std::size_t(s.hidden) << 3 | std::size_t(s.underline) << 4 | std::size_t(s.position) << 8 |
            std::size_t(s.capitals) << 10);
        return h;
    }
};

enum class Alignment : std::uint8_t { Default, Left, Center, Right, Justify };

// Paragraph formatting; lengths in twips as written in the file.
struct ParaState {
    Alignment alignment = Alignment::Default;
    bool lineSpacingMultiple = false;
    bool inTable = false;
    bool hasListStyle = false;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    int listStyle = 0;  // \lsN, meaningful when hasListStyle
    int listLevel = 0;  // \ilvlN
    int paraNum = -1;   // index of an old-style {\*\pn} definition; -1 none

    bool operator==(const ParaState &) const = default;
};

struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    Destination outerDestination = Destination::Text; // where \ud text goes inside \upr
    int unicodeSkip = 1;                               // \ucN
};

} // namespace rtf
