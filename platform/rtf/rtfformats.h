#pragma once

#include "platform/rtf/rtfstate.h"
#include "platform/rtf/rtftables.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>

namespace rtf {

// RTF lengths are twips (1/20 pt); QTextDocument lays out in pixels at 96 dpi.
inline constexpr double pixelsFromTwips(int twips) { return twips / 15.0; }

QTextCharFormat makeCharFormat(const CharState &state, const DocumentTables &tables);

// List items leave their indentation to the list, as QTextList indents them itself.
QTextBlockFormat makeBlockFormat(const ParaState &state, bool listItem);

} // namespace rtf
