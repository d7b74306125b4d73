#include "platform/rtf/rtflists.h"

#include <algorithm>

namespace rtf {

namespace {

// \levelnfc values; the many East Asian counting systems read as decimal.
constexpr int NfcDecimal = 0;
constexpr int NfcUpperRoman = 1;
constexpr int NfcLowerRoman = 2;
constexpr int NfcUpperLetter = 3;
constexpr int NfcLowerLetter = 4;
constexpr int NfcBullet = 23;
constexpr int NfcNone = 255;

// Placeholders in \leveltext stand for the numbers of levels 0-8.
bool isPlaceholder(QChar c) { return c.unicode() < 9; }

QTextListFormat::Style styleForNfc(int nfc)
{
    switch (nfc) {
    case NfcUpperRoman: return QTextListFormat::ListUpperRoman;
    case NfcLowerRoman: return QTextListFormat::ListLowerRoman;
    case NfcUpperLetter: return QTextListFormat::ListUpperAlpha;
    case NfcLowerLetter: return QTextListFormat::ListLowerAlpha;
    case NfcDecimal:
    default: return QTextListFormat::ListDecimal;
    }
}

} // namespace

QTextListFormat::Style bulletStyle(QChar bullet)
{
    switch (bullet.unicode()) {
    case u'o':
    case 0x25CB: // white circle
    case 0x25E6: // white bullet
    case 0xF06F: // 'o' of a symbol font
        return QTextListFormat::ListCircle;
    case 0x25AA: // small black square
    case 0x25A0: // black square
    case 0x00A7: // Wingdings' square read as Windows-1252
    case 0xF0A7: // Wingdings' square
    case 0xF06E: // Wingdings' filled square
        return QTextListFormat::ListSquare;
    default:
        return QTextListFormat::ListDisc;
    }
}

std::optional<QTextListFormat> listLevelFormat(const ListLevelDef &level, int depth)
{
    if (level.numberFormat == NfcNone)
        return std::nullopt;

    // The first character counts the characters that follow it.
    QStringView text(level.levelText);
    if (!text.isEmpty()) {
        const qsizetype count = std::min<qsizetype>(text.front().unicode(), text.size() - 1);
        text = text.sliced(1, count);
    }

    QTextListFormat format;
    format.setIndent(depth + 1);
    if (level.numberFormat == NfcBullet) {
        format.setStyle(text.isEmpty() ? QTextListFormat::ListDisc : bulletStyle(text.front()));
        return format;
    }
    format.setStyle(styleForNfc(level.numberFormat));
    const auto first = std::find_if(text.begin(), text.end(), isPlaceholder);
    if (first == text.end()) {
        format.setNumberPrefix(QString());
        format.setNumberSuffix(QString());
        return format;
    }
    const auto last = std::find_if(text.rbegin(), text.rend(), isPlaceholder).base() - 1;
    format.setNumberPrefix(QStringView(text.begin(), first).toString());
    format.setNumberSuffix(QStringView(last + 1, text.end()).toString());
    return format;
}

QTextListFormat paraNumFormat(const ParaNumDef &def)
{
    QTextListFormat format;
    format.setIndent(def.level + 1);
    if (def.bulletLevel || def.kind == ParaNumDef::Kind::Bullet) {
        format.setStyle(def.textBefore.isEmpty() ? QTextListFormat::ListDisc : bulletStyle(def.textBefore.front()));
        return format;
    }
    switch (def.kind) {
    case ParaNumDef::Kind::UpperLetter: format.setStyle(QTextListFormat::ListUpperAlpha); break;
    case ParaNumDef::Kind::LowerLetter: format.setStyle(QTextListFormat::ListLowerAlpha); break;
    case ParaNumDef::Kind::UpperRoman: format.setStyle(QTextListFormat::ListUpperRoman); break;
    case ParaNumDef::Kind::LowerRoman: format.setStyle(QTextListFormat::ListLowerRoman); break;
    default: format.setStyle(QTextListFormat::ListDecimal); break;
    }
    format.setNumberPrefix(def.textBefore);
    format.setNumberSuffix(def.textAfter);
    return format;
}

void ListTables::beginList()
{
    m_lists.emplace_back();
    m_inLevel = false;
}

void ListTables::beginLevel()
{
    m_inLevel = !m_lists.empty() && m_lists.back().levels.size() < std::size_t(MaxLevels);
    if (m_inLevel)
        m_lists.back().levels.emplace_back();
}

void ListTables::setListId(int id)
{
    if (!m_lists.empty()) {
        m_lists.back().id = id;
        m_listById.insert(id, int(m_lists.size() - 1));
    }
}

ListLevelDef *ListTables::currentLevel()
{
    return m_inLevel ? &m_lists.back().levels.back() : nullptr;
}

void ListTables::setNumberFormat(int nfc)
{
    if (ListLevelDef *level = currentLevel())
        level->numberFormat = nfc;
}

void ListTables::setLevelText(const QString &text)
{
    if (ListLevelDef *level = currentLevel())
        level->levelText = text;
}

void ListTables::beginOverride()
{
    m_inOverride = true;
    m_overrideListId = 0;
    m_overrideStyle.reset();
}

void ListTables::setOverrideListId(int id)
{
    if (!m_inOverride)
        return;
    m_overrideListId = id;
    if (m_overrideStyle)
        m_listIdByStyle.insert(*m_overrideStyle, id);
}

void ListTables::setOverrideStyle(int ls)
{
    if (!m_inOverride)
        return;
    m_overrideStyle = ls;
    m_listIdByStyle.insert(ls, m_overrideListId);
}

int ListTables::addParaNum(const ParaNumDef &def)
{
    // Rich-edit repeats the same definition for every item.
    if (!m_paraNums.empty() && m_paraNums.back() == def)
        return int(m_paraNums.size() - 1);
    m_paraNums.push_back(def);
    return int(m_paraNums.size() - 1);
}

std::optional<ResolvedList> ListTables::resolve(const ParaState &para)
{
    if (para.hasListStyle) {
        const auto id = m_listIdByStyle.constFind(para.listStyle);
        if (id == m_listIdByStyle.constEnd())
            return std::nullopt;
        const auto it = m_listById.constFind(id.value());
        if (it == m_listById.constEnd())
            return std::nullopt;
        const ListDef &list = m_lists[std::size_t(it.value())];
        if (list.levels.empty())
            return std::nullopt;
        const int level = std::clamp(para.listLevel, 0, int(list.levels.size()) - 1);
        std::optional<QTextListFormat> format = listLevelFormat(list.levels[std::size_t(level)], level);
        if (!format)
            return std::nullopt;
        return ResolvedList{*format, false, para.listStyle, level};
    }
    if (para.paraNum >= 0 && std::size_t(para.paraNum) < m_paraNums.size()) {
        const ParaNumDef &def = m_paraNums[std::size_t(para.paraNum)];
        if (def.continuation)
            return std::nullopt;
        return ResolvedList{paraNumFormat(def), true, 0, def.level};
    }
    return std::nullopt;
}

} // namespace rtf
