#pragma once

#include <cstdint>
#include <string_view>

namespace rtf {

// The control words this reader acts on. Everything else is ignored, or skipped
// with its group when it names an ignorable destination ({\*\word ...}).
enum class Keyword : std::uint16_t {
    Unknown,
    // document and tables
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff, FontTable, F, FNil, FRoman, FSwiss, FModern, FScript,
    FDecor, FTech, FBidi, FCharset, Cpg, ColorTable, Red, Green, Blue,
    // destinations whose content is skipped
    SkippedDestination,
    // fields
    Field, FieldInstruction, FieldResult,
    // character formatting
    Plain, Bold, Italic, Underline, UnderlineDouble, UnderlineDotted, UnderlineDashed,
    UnderlineDashDot, UnderlineDashDotDot, UnderlineWave, UnderlineNone, Strike, StrikeDouble,
    FontSize, ForegroundColor, BackgroundColor, Highlight, Super, Sub, NoSuperSub, Hidden, Caps,
    SmallCaps, UnicodeSkip, Unicode, UnicodeDestination, UnicodePair,
    // paragraph formatting
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent,
    FirstIndent, SpaceBefore, SpaceAfter, LineSpacing, LineSpacingMultiple, InTable,
    // breaks and symbols
    Par, Line, Tab, Sect, Page, Column, Cell, Row, LeftQuote, RightQuote, LeftDoubleQuote,
    RightDoubleQuote, EnDash, EmDash, Bullet, EnSpace, EmSpace, QuarterEmSpace, ZeroWidthJoiner,
    ZeroWidthNonJoiner, LtrMark, RtlMark,
    // old-style paragraph numbering (rich-edit, WordPad, Word 6)
    ParaNumText, ParaNum, PnLevelBullet, PnLevelBody, PnLevelContinue, PnLevel, PnDecimal,
    PnUpperLetter, PnLowerLetter, PnUpperRoman, PnLowerRoman, PnTextAfter, PnTextBefore, PnFont,
    // list tables (Word, LibreOffice)
    ListTable, ListOverrideTable, List, ListLevel, ListId, ListOverride, ListStyle, ListLevelIndex,
    LevelNumberFormat, LevelText, ListText,
};

// Looks up a control word by name; Keyword::Unknown when this reader has no use for it.
Keyword lookupKeyword(std::string_view name);

} // namespace rtf
