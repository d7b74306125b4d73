#include "storage/ufDataModule.h"

#include "storage/apperror.h"
#include "storage/compression.h"
#include "storage/cripto.h"
#include "storage/fbclient.h"
#include "storage/fbquery.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>

TDM *DM = nullptr;

QString TDM::databasePathBeside(const QString &executableDir)
{
    return QDir(executableDir).filePath(QStringLiteral("Banco/DATA.FDB"));
}

void TDM::DataModuleCreate(const QString &executableDir)
{
    const QString exeDir = executableDir.isEmpty() ? QCoreApplication::applicationDirPath() : executableDir;
    fbclient::useRootBesideExecutable(exeDir);
    fbclient::cacheLocalTimeZone();
    FDConn.settings().database = databasePathBeside(exeDir);
    FDConn.settings().userName = QStringLiteral("sysdba");
    FDConn.settings().password = QStringLiteral("plovertin");
    FDConn.settings().characterSet = QStringLiteral("WIN1252");
    FDConn.open();
}

double TDM::GenID(const QString &ATabela)
{
    const QString table = QLocale().toUpper(ATabela);
    // The name becomes part of the statement text, so only an identifier may pass.
    static const QRegularExpression identifier(QStringLiteral("^[A-Z][A-Z0-9_$]*$"));
    if (!identifier.match(table).hasMatch())
        throw AppError(QStringLiteral("Nome de tabela inválido para gerar identificador: \"%1\".").arg(ATabela));
    FbQuery q(FDConn);
    q.setSql(QStringLiteral("SELECT gen_id(GEN_ID_") + table + QStringLiteral(", 1) FROM rdb$DATABASE"));
    q.open();
    return q.fieldByName(QStringLiteral("GEN_ID")).toDouble();
}

QString TDM::GetPathAppData()
{
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QString path = base + QStringLiteral("Tarefas");
    QDir().mkpath(path);
    return path;
}

void TDM::CompactarStream(QIODevice &Source, QIODevice &Dest)
{
    ::CompactarStream(Source, Dest);
}

void TDM::DescompactarStream(QIODevice &Source, QIODevice &Dest)
{
    ::DescompactarStream(Source, Dest);
}

QString TDM::Cripto(const QString &text, quint16 key)
{
    return ::Cripto(text, key);
}
