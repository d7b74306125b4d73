#include "storage/schema.h"

#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/fbconnection.h"
#include "storage/fbquery.h"

#include <QFile>
#include <QFileInfo>

using namespace Firebird;

static void initSchemaResource()
{
    Q_INIT_RESOURCE(schema);
}

namespace schema {

QStringList statements()
{
    initSchemaResource();
    QFile file(QStringLiteral(":/storage/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("O esquema do banco de dados não foi incluído no programa."));
    QStringList result;
    QString current;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) || (trimmed.isEmpty() && current.isEmpty()))
            continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            result.append(current.trimmed());
            current.clear();
        }
    }
    return result;
}

void createDatabase(const QString &path)
{
    if (QFileInfo::exists(path))
        throw AppError(QStringLiteral("O arquivo \"%1\" já existe e não será substituído.").arg(path));

    const QString quoted = QString(path).replace(QLatin1Char('\''), QLatin1String("''"));
    const QByteArray create = QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PAGE_SIZE 16384 "
                                             "DEFAULT CHARACTER SET WIN1252")
                                  .arg(quoted)
                                  .toUtf8();
    ThrowStatusWrapper status(fbclient::master()->getStatus());
    try {
        FB_BOOLEAN isCreate = 0;
        IAttachment *att = fbclient::util()->executeCreateDatabase(&status, unsigned(create.size()),
                                                                   create.constData(), SQL_DIALECT_V6, &isCreate);
        att->detach(&status);
        status.dispose();
    } catch (const FbException &e) {
        status.dispose();
        fbclient::raise(e, QStringLiteral("Não foi possível criar o banco de dados \"%1\".").arg(path));
    }

    try {
        FbConnection connection;
        connection.settings().database = path;
        connection.open();
        for (const QString &statement : statements()) {
            FbQuery q(connection);
            q.setSql(statement);
            q.execSql();
        }
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

} // namespace schema
