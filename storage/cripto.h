#pragma once

#include <QString>
#include <QtGlobal>

// Fixed values of the password scrambling: every call site uses kCriptoKey.
inline constexpr quint16 kCriptoKey = 0x5A3C;

// Scrambles a password for storage. Each UTF-16 code unit gives two upper-case
// hex digits: its low byte (the high byte takes no part) XOR the high byte of a
// running 16-bit key, which then moves on from the digit pair just written.
// The result is 2 × text.size() characters long; empty text gives empty text.
// Never throws: should memory run out it returns empty text.
QString Cripto(const QString &text, quint16 key) noexcept;
