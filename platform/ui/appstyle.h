#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;

// Breeze icons (QIcon::fromTheme works on every desktop), the Fusion style with a
// light palette and blue accents, and the application font.
void applyAppStyle(QApplication &app);

// Makes the bundled Breeze icon theme the icon theme. Safe to call more than once;
// returns false when the icon resource is missing.
bool registerBreezeIcons();

// "Segoe UI" when installed, else Noto Sans, else DejaVu Sans (decided once).
QString uiFontFamily();

// Arial, or its metric twin Liberation Sans where Arial is not installed.
QFont arialFont(int pointSize, bool bold);

// Accent colours shared by the custom widgets.
QColor accentColor();          // selections, focused borders
QColor lightSelectionColor();  // hovered and checked buttons, inactive selections
