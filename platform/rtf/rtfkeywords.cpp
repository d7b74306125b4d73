#include "platform/rtf/rtfkeywords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace rtf {

namespace {

using Entry = std::pair<std::string_view, Keyword>;

// Sorted once on first use, so entries can stay grouped by meaning here.
constexpr Entry entries[] = {
    {"ansi", Keyword::Ansi}, {"mac", Keyword::Mac}, {"pc", Keyword::Pc}, {"pca", Keyword::Pca},
    {"ansicpg", Keyword::AnsiCpg}, {"deff", Keyword::Deff}, {"fonttbl", Keyword::FontTable},
    {"f", Keyword::F}, {"fnil", Keyword::FNil}, {"froman", Keyword::FRoman},
    {"fswiss", Keyword::FSwiss}, {"fmodern", Keyword::FModern}, {"fscript", Keyword::FScript},
    {"fdecor", Keyword::FDecor}, {"ftech", Keyword::FTech}, {"fbidi", Keyword::FBidi},
    {"fcharset", Keyword::FCharset}, {"cpg", Keyword::Cpg}, {"colortbl", Keyword::ColorTable},
    {"red", Keyword::Red}, {"green", Keyword::Green}, {"blue", Keyword::Blue},

    // Content that is not part of the text: metadata, styles, pictures, embedded
    // objects and shapes, page furniture, notes, index and TOC entries.
    {"info", Keyword::SkippedDestination}, {"stylesheet", Keyword::SkippedDestination},
    {"pict", Keyword::SkippedDestination}, {"shppict", Keyword::SkippedDestination},
    {"nonshppict", Keyword::SkippedDestination}, {"object", Keyword::SkippedDestination},
    {"objdata", Keyword::SkippedDestination}, {"shp", Keyword::SkippedDestination},
    {"shpinst", Keyword::SkippedDestination}, {"shptxt", Keyword::SkippedDestination},
    {"do", Keyword::SkippedDestination}, {"header", Keyword::SkippedDestination},
    {"headerl", Keyword::SkippedDestination}, {"headerr", Keyword::SkippedDestination},
    {"headerf", Keyword::SkippedDestination}, {"footer", Keyword::SkippedDestination},
    {"footerl", Keyword::SkippedDestination}, {"footerr", Keyword::SkippedDestination},
    {"footerf", Keyword::SkippedDestination}, {"footnote", Keyword::SkippedDestination},
    {"annotation", Keyword::SkippedDestination}, {"atnid", Keyword::SkippedDestination},
    {"atnauthor", Keyword::SkippedDestination}, {"xe", Keyword::SkippedDestination},
    {"tc", Keyword::SkippedDestination}, {"txe", Keyword::SkippedDestination},
    {"rxe", Keyword::SkippedDestination}, {"themedata", Keyword::SkippedDestination},
    {"colorschememapping", Keyword::SkippedDestination}, {"datastore", Keyword::SkippedDestination},
    {"latentstyles", Keyword::SkippedDestination}, {"xmlnstbl", Keyword::SkippedDestination},
    {"filetbl", Keyword::SkippedDestination}, {"revtbl", Keyword::SkippedDestination},
    {"rsidtbl", Keyword::SkippedDestination}, {"generator", Keyword::SkippedDestination},
    {"userprops", Keyword::SkippedDestination}, {"docvar", Keyword::SkippedDestination},
    {"template", Keyword::SkippedDestination}, {"pgdsctbl", Keyword::SkippedDestination},
    {"fontemb", Keyword::SkippedDestination}, {"fontfile", Keyword::SkippedDestination},
    {"background", Keyword::SkippedDestination}, {"nonesttables", Keyword::SkippedDestination},
    {"bkmkstart", Keyword::SkippedDestination}, {"bkmkend", Keyword::SkippedDestination},
    {"listpicture", Keyword::SkippedDestination}, {"pnseclvl", Keyword::SkippedDestination},
    {"comment", Keyword::SkippedDestination},
    {"mmathPr", Keyword::SkippedDestination}, {"listname", Keyword::SkippedDestination},
    {"levelnumbers", Keyword::SkippedDestination}, {"panose", Keyword::SkippedDestination},
    {"falt", Keyword::SkippedDestination}, {"formfield", Keyword::SkippedDestination},
    {"datafield", Keyword::SkippedDestination},

    {"field", Keyword::Field}, {"fldinst", Keyword::FieldInstruction},
    {"fldrslt", Keyword::FieldResult},

    {"plain", Keyword::Plain}, {"b", Keyword::Bold}, {"i", Keyword::Italic},
    {"ul", Keyword::Underline}, {"ulw", Keyword::Underline}, {"ulth", Keyword::Underline},
    {"uldb", Keyword::UnderlineDouble}, {"uld", Keyword::UnderlineDotted},
    {"ulthd", Keyword::UnderlineDotted}, {"uldash", Keyword::UnderlineDashed},
    {"ulldash", Keyword::UnderlineDashed}, {"ulthdash", Keyword::UnderlineDashed},
    {"ulthldash", Keyword::UnderlineDashed}, {"uldashd", Keyword::UnderlineDashDot},
    {"ulthdashd", Keyword::UnderlineDashDot}, {"uldashdd", Keyword::UnderlineDashDotDot},
    {"ulthdashdd", Keyword::UnderlineDashDotDot}, {"ulwave", Keyword::UnderlineWave},
    {"ulhwave", Keyword::UnderlineWave}, {"ululdbwave", Keyword::UnderlineWave},
    {"ulnone", Keyword::UnderlineNone}, {"strike", Keyword::Strike},
    {"striked", Keyword::StrikeDouble}, {"fs", Keyword::FontSize},
    {"cf", Keyword::ForegroundColor}, {"cb", Keyword::BackgroundColor},
    {"chcbpat", Keyword::BackgroundColor}, {"highlight", Keyword::Highlight},
    {"super", Keyword::Super}, {"sub", Keyword::Sub}, {"nosupersub", Keyword::NoSuperSub},
    {"v", Keyword::Hidden}, {"caps", Keyword::Caps}, {"scaps", Keyword::SmallCaps},
    {"uc", Keyword::UnicodeSkip}, {"u", Keyword::Unicode}, {"ud", Keyword::UnicodeDestination},
    {"upr", Keyword::UnicodePair},

    {"pard", Keyword::Pard}, {"ql", Keyword::AlignLeft}, {"qc", Keyword::AlignCenter},
    {"qr", Keyword::AlignRight}, {"qj", Keyword::AlignJustify}, {"qd", Keyword::AlignJustify},
    {"li", Keyword::LeftIndent}, {"ri", Keyword::RightIndent}, {"fi", Keyword::FirstIndent},
    {"sb", Keyword::SpaceBefore}, {"sa", Keyword::SpaceAfter}, {"sl", Keyword::LineSpacing},
    {"slmult", Keyword::LineSpacingMultiple}, {"intbl", Keyword::InTable},

    {"par", Keyword::Par}, {"line", Keyword::Line}, {"tab", Keyword::Tab},
    {"sect", Keyword::Sect}, {"page", Keyword::Page}, {"column", Keyword::Column},
    {"cell", Keyword::Cell}, {"nestcell", Keyword::Cell}, {"row", Keyword::Row},
    {"nestrow", Keyword::Row}, {"lquote", Keyword::LeftQuote}, {"rquote", Keyword::RightQuote},
    {"ldblquote", Keyword::LeftDoubleQuote}, {"rdblquote", Keyword::RightDoubleQuote},
    {"endash", Keyword::EnDash}, {"emdash", Keyword::EmDash}, {"bullet", Keyword::Bullet},
    {"enspace", Keyword::EnSpace}, {"emspace", Keyword::EmSpace},
    {"qmspace", Keyword::QuarterEmSpace}, {"zwj", Keyword::ZeroWidthJoiner},
    {"zwnj", Keyword::ZeroWidthNonJoiner}, {"ltrmark", Keyword::LtrMark},
    {"rtlmark", Keyword::RtlMark},

    {"pntext", Keyword::ParaNumText}, {"pn", Keyword::ParaNum},
    {"pnlvlblt", Keyword::PnLevelBullet}, {"pnlvlbody", Keyword::PnLevelBody},
    {"pnlvlcont", Keyword::PnLevelContinue}, {"pnlvl", Keyword::PnLevel},
    {"pndec", Keyword::PnDecimal}, {"pnucltr", Keyword::PnUpperLetter},
    {"pnlcltr", Keyword::PnLowerLetter}, {"pnucrm", Keyword::PnUpperRoman},
    {"pnlcrm", Keyword::PnLowerRoman}, {"pntxta", Keyword::PnTextAfter},
    {"pntxtb", Keyword::PnTextBefore}, {"pnf", Keyword::PnFont},

    {"listtable", Keyword::ListTable}, {"listoverridetable", Keyword::ListOverrideTable},
    {"list", Keyword::List}, {"listlevel", Keyword::ListLevel}, {"listid", Keyword::ListId},
    {"listoverride", Keyword::ListOverride}, {"ls", Keyword::ListStyle},
    {"ilvl", Keyword::ListLevelIndex}, {"levelnfc", Keyword::LevelNumberFormat},
    {"levelnfcn", Keyword::LevelNumberFormat}, {"leveltext", Keyword::LevelText},
    {"listtext", Keyword::ListText},
};

constexpr std::size_t entryCount = std::size(entries);

const std::array<Entry, entryCount> &sortedEntries()
{
    static const std::array<Entry, entryCount> sorted = [] {
        std::array<Entry, entryCount> copy;
        std::copy(std::begin(entries), std::end(entries), copy.begin());
        std::sort(copy.begin(), copy.end(), [](const Entry &a, const Entry &b) { return a.first < b.first; });
        return copy;
    }();
    return sorted;
}

} // namespace

Keyword lookupKeyword(std::string_view name)
{
    const auto &sorted = sortedEntries();
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), name,
                                     [](const Entry &e, std::string_view n) { return e.first < n; });
    return (it != sorted.end() && it->first == name) ? it->second : Keyword::Unknown;
}

} // namespace rtf
