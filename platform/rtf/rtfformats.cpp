#include "platform/rtf/rtfformats.h"

#include <algorithm>
#include <cstdlib>

namespace rtf {

namespace {

QTextCharFormat::UnderlineStyle underlineStyle(Underline u)
{
    switch (u) {
    case Underline::Single: return QTextCharFormat::SingleUnderline;
    case Underline::Dotted: return QTextCharFormat::DotLine;
    case Underline::Dashed: return QTextCharFormat::DashUnderline;
    case Underline::DashDot: return QTextCharFormat::DashDotLine;
    case Underline::DashDotDot: return QTextCharFormat::DashDotDotLine;
    case Underline::Wave: return QTextCharFormat::WaveUnderline;
    case Underline::None: break;
    }
    return QTextCharFormat::NoUnderline;
}

} // namespace

QTextCharFormat makeCharFormat(const CharState &state, const DocumentTables &tables)
{
    QTextCharFormat format;
    if (const FontEntry *font = tables.font(state.font)) {
        if (!font->family.isEmpty())
            format.setFontFamilies(QStringList{font->family});
        if (font->hint != QFont::AnyStyle)
            format.setFontStyleHint(font->hint);
    }
    if (state.halfPoints > 0)
        format.setFontPointSize(std::clamp(state.halfPoints, 2, 3276) / 2.0);
    if (state.bold)
        format.setFontWeight(QFont::Bold);
    if (state.italic)
        format.setFontItalic(true);
    if (state.strike)
        format.setFontStrikeOut(true);
    if (state.underline != Underline::None)
        format.setUnderlineStyle(underlineStyle(state.underline));
    if (const QColor fg = tables.color(state.foreground); fg.isValid())
        format.setForeground(fg);
    if (const QColor bg = tables.color(state.background); bg.isValid())
        format.setBackground(bg);
    if (state.position == VerticalPosition::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (state.position == VerticalPosition::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (state.capitals == Capitals::All)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (state.capitals == Capitals::Small)
        format.setFontCapitalization(QFont::SmallCaps);
    if (state.link >= 0 && state.link < tables.links.size()) {
        format.setAnchor(true);
        format.setAnchorHref(tables.links.at(state.link));
    }
    return format;
}

QTextBlockFormat makeBlockFormat(const ParaState &state, bool listItem)
{
    QTextBlockFormat format;
    switch (state.alignment) {
    case Alignment::Left: format.setAlignment(Qt::AlignLeft); break;
    case Alignment::Center: format.setAlignment(Qt::AlignHCenter); break;
    case Alignment::Right: format.setAlignment(Qt::AlignRight); break;
    case Alignment::Justify: format.setAlignment(Qt::AlignJustify); break;
    case Alignment::Default: break;
    }
    if (!listItem) {
        if (state.leftIndent)
            format.setLeftMargin(pixelsFromTwips(state.leftIndent));
        if (state.firstIndent)
            format.setTextIndent(pixelsFromTwips(state.firstIndent));
    }
    if (state.rightIndent)
        format.setRightMargin(pixelsFromTwips(state.rightIndent));
    if (state.spaceBefore)
        format.setTopMargin(pixelsFromTwips(state.spaceBefore));
    if (state.spaceAfter)
        format.setBottomMargin(pixelsFromTwips(state.spaceAfter));
    if (state.lineSpacing != 0) {
        if (state.lineSpacingMultiple)
            format.setLineHeight(std::abs(state.lineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (state.lineSpacing > 0)
            format.setLineHeight(pixelsFromTwips(state.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            format.setLineHeight(pixelsFromTwips(-state.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    return format;
}

} // namespace rtf
