#include "tests/support/testdatabase.h"

#include "storage/apperror.h"
#include "storage/compression.h"
#include "storage/cripto.h"
#include "storage/fbclient.h"
#include "storage/fbquery.h"
#include "storage/schema.h"
#include "storage/ufDataModule.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>

QString TestDatabase::templatePath()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        fbclient::useRootBesideExecutable(QCoreApplication::applicationDirPath());
        fbclient::cacheLocalTimeZone();
        path = dir.filePath(QStringLiteral("TEMPLATE.FDB"));
        schema::createDatabase(path);
    }
    return path;
}

TestDatabase::TestDatabase()
{
    m_path = m_dir.filePath(QStringLiteral("DATA.FDB"));
    if (!QFile::copy(templatePath(), m_path))
        throw AppError(QStringLiteral("Não foi possível copiar o banco de dados de teste."));
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    m_dm = std::make_unique<TDM>();
    m_dm->FDConn.settings().database = m_path;
    m_dm->FDConn.settings().password = QStringLiteral("plovertin");
    m_dm->FDConn.open();
    m_previousDm = DM;
    DM = m_dm.get();
}

TestDatabase::~TestDatabase()
{
    DM = m_previousDm;
    m_dm->FDConn.close();
}

FbConnection &TestDatabase::connection()
{
    return m_dm->FDConn;
}

void TestDatabase::exec(const QString &sql)
{
    FbQuery q(connection());
    q.setSql(sql);
    q.execSql();
}

QVariant TestDatabase::scalar(const QString &sql)
{
    FbQuery q(connection());
    q.setSql(sql);
    q.open();
    return q.isEmpty() ? QVariant() : q.rows().first().first();
}

QByteArray TestDatabase::compressed(const QByteArray &content)
{
    QByteArray plain = content;
    QBuffer source(&plain);
    source.open(QIODevice::ReadOnly);
    QBuffer dest;
    dest.open(QIODevice::ReadWrite);
    CompactarStream(source, dest);
    return dest.data();
}

int TestDatabase::addUser(FbConnection &connection, const QString &name, const QString &login, const QString &password,
                          bool admin, bool active)
{
    FbQuery q(connection);
    q.setSql(QStringLiteral("INSERT INTO USUARIO (ID, NOME, LOGIN, SENHA, ADMINISTRADOR, ATIVO, FLAG_PAINEL_LEITURA, "
                            "FLAG_ARQUIVADOS, FLAG_INICIADO, FLAG_CONCLUIDO) VALUES (gen_id(GEN_ID_USUARIO, 1), "
                            ":NOME, :LOGIN, :SENHA, :ADM, :ATIVO, 1, 0, 1, 0) RETURNING ID"));
    q.setParam(QStringLiteral("NOME"), name);
    q.setParam(QStringLiteral("LOGIN"), login);
    q.setParam(QStringLiteral("SENHA"), Cripto(password, kCriptoKey));
    q.setParam(QStringLiteral("ADM"), admin ? 1 : 0);
    q.setParam(QStringLiteral("ATIVO"), active ? 1 : 0);
    q.execSql();
    return q.fieldByName(QStringLiteral("ID")).toInt();
}

qint64 TestDatabase::addNotebook(int userId, const QString &name)
{
    FbQuery q(connection());
    q.setSql(QStringLiteral("INSERT INTO CADERNO (ID, USUARIO_ID, NAME, VISIVEL, IMAGEINDEX) "
                            "VALUES (gen_id(GEN_ID_CADERNO, 1), :U, :N, 1, 15) RETURNING ID"));
    q.setParam(QStringLiteral("U"), userId);
    q.setParam(QStringLiteral("N"), name);
    q.execSql();
    return q.fieldByName(QStringLiteral("ID")).toLongLong();
}

qint64 TestDatabase::addTask(const Task &t)
{
    FbQuery q(connection());
    q.setSql(QStringLiteral(
        "INSERT INTO TAREFAS (ID, USUARIO_ID, ASSUNTO, CADERNO_ID, DATA_CADASTRO, DATA_INICIO, DATA_PREVISTA, "
        "DATA_CONCLUSAO, DATA_UPDATE, STATUS, PRIORIDADE, ANDAMENTO, ORDEM, DESCRICAO) "
        "VALUES (:ID, :U, :A, :C, :DC, :DI, :DP, :DF, :DC, :S, :P, :AN, :O, :D) RETURNING ID"));
    const qint64 id = qint64(scalar(QStringLiteral("SELECT gen_id(GEN_ID_TAREFAS, 1) FROM RDB$DATABASE")).toLongLong());
    q.setParam(QStringLiteral("ID"), id);
    q.setParam(QStringLiteral("U"), t.userId);
    q.setParam(QStringLiteral("A"), t.subject);
    q.setParam(QStringLiteral("C"), t.notebookId);
    q.setParam(QStringLiteral("DC"), t.created);
    q.setParam(QStringLiteral("DI"), t.started.isValid() ? QVariant(t.started) : QVariant());
    q.setParam(QStringLiteral("DP"), t.due.isValid() ? QVariant(t.due) : QVariant());
    q.setParam(QStringLiteral("DF"), t.completed.isValid() ? QVariant(t.completed) : QVariant());
    q.setParam(QStringLiteral("S"), t.status);
    q.setParam(QStringLiteral("P"), t.priority);
    q.setParam(QStringLiteral("AN"), t.progress);
    q.setParam(QStringLiteral("O"), t.order ? t.order : id);
    q.setParam(QStringLiteral("D"), t.rtf.isEmpty() ? QVariant() : QVariant(compressed(t.rtf)));
    q.execSql();
    return id;
}
