#pragma once

#include <QByteArray>

class QTextDocument;

namespace rtf {
// True when the bytes start (after optional whitespace) with "{\rtf".
bool looksLikeRtf(const QByteArray &data);
// Replaces the content of doc with data: RTF read with its formatting, anything
// else shown as plain text (UTF-8 when valid, otherwise Windows-1252). Never throws,
// never hangs, on any input; damaged RTF yields as much text as can be read.
void loadInto(QTextDocument &doc, const QByteArray &data);
}
