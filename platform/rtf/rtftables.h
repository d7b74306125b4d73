#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <unordered_map>
#include <vector>

namespace rtf {

struct FontEntry {
    QString family;
    QFont::StyleHint hint = QFont::AnyStyle;
    int charset = -1;  // \fcharsetN; -1 when not given
    int codePage = -1; // \cpgN; -1 when not given
};

// The document-wide tables that character formatting refers to by index.
struct DocumentTables {
    std::unordered_map<int, FontEntry> fonts;
    std::vector<QColor> colors; // an invalid colour stands for "auto"
    QStringList links;          // hyperlink targets of fields
    int defaultFont = 0;        // \deffN

    const FontEntry *font(int index) const
    {
        const auto it = fonts.find(index < 0 ? defaultFont : index);
        return it == fonts.end() ? nullptr : &it->second;
    }
    QColor color(int index) const
    {
        return index >= 0 && std::size_t(index) < colors.size() ? colors[std::size_t(index)] : QColor();
    }
};

} // namespace rtf
