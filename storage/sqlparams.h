#pragma once

#include <QString>
#include <QStringList>

// A statement written with :NAME parameters, turned into the positional '?'
// form the engine takes. names[i] is the parameter of the i-th '?'; a name
// used twice appears twice. String literals, quoted identifiers and comments
// are copied untouched, and a final ';' is dropped.
struct TranslatedSql
{
    QString sql;
    QStringList names;
};

TranslatedSql translateNamedParameters(const QString &sql);
