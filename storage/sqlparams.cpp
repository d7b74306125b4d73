#include "storage/sqlparams.h"

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNamePart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// Index just past the quoted run that starts at i (quote char q, doubled to escape).
qsizetype skipQuoted(const QString &s, qsizetype i, QChar q)
{
    ++i;
    while (i < s.size()) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

TranslatedSql translateNamedParameters(const QString &sql)
{
    TranslatedSql out;
    out.sql.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            next = skipQuoted(sql, i, c);
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            next = sql.indexOf(QLatin1Char('\n'), i);
            if (next < 0)
                next = sql.size();
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QLatin1String("/*")) {
            next = sql.indexOf(QLatin1String("*/"), i + 2);
            next = next < 0 ? sql.size() : next + 2;
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNamePart(sql[end]))
                ++end;
            out.names.append(sql.mid(i + 1, end - i - 1).toUpper());
            out.sql.append(QLatin1Char('?'));
            i = end;
            continue;
        }
        out.sql.append(QStringView(sql).mid(i, next - i));
        i = next;
    }

    // The engine rejects a terminating ';'; statements written for other tools carry one.
    qsizetype end = out.sql.size();
    while (end > 0 && out.sql[end - 1].isSpace())
        --end;
    if (end > 0 && out.sql[end - 1] == QLatin1Char(';')) {
        out.sql.truncate(end - 1);
    }
    return out;
}
