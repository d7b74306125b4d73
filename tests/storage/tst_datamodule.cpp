// The data module: where the database is, generators, the per-user folder,
// the schema the tool makes, and the failures a person can meet when opening.
#include "storage/apperror.h"
#include "storage/fbquery.h"
#include "storage/schema.h"
#include "storage/ufDataModule.h"
#include "tests/support/testdatabase.h"

#include <QtTest>

class TestDataModule : public QObject
{
    Q_OBJECT
private slots:
    void databaseIsBesideTheExecutableWhateverTheCurrentFolder();
    void genIdIgnoresCaseAndCountsUp();
    void genIdRejectsNonIdentifiersAndMissingGenerators();
    void appDataFolder_data();
    void appDataFolder();
    void schemaHasEveryColumnInOrder();
    void generatorsStartAtOne();
    void notebookCountLeavesOutClosedTasks();
    void deletingTaskDeletesItsAttachments();
    void createDbRefusesToOverwrite();
    void openFailuresAreReportedAndCreateNothing_data();
    void openFailuresAreReportedAndCreateNothing();
    void databaseHeldByTheOtherServerModeIsReported();
};

void TestDataModule::databaseIsBesideTheExecutableWhateverTheCurrentFolder()
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    TDM dm;
    try {
        dm.DataModuleCreate();
    } catch (const AppError &) {
        // No database beside the test program: only the path matters here.
    }
    QDir::setCurrent(before);
    QCOMPARE(dm.FDConn.settings().database,
             QCoreApplication::applicationDirPath() + QStringLiteral("/Banco/DATA.FDB"));
    QCOMPARE(dm.FDConn.settings().characterSet, QStringLiteral("WIN1252"));
    QCOMPARE(dm.FDConn.settings().userName, QStringLiteral("sysdba"));
}

void TestDataModule::genIdIgnoresCaseAndCountsUp()
{
    TestDatabase db;
    QCOMPARE(db.dm().GenID(QStringLiteral("caderno")), 1.0);
    QCOMPARE(db.dm().GenID(QStringLiteral("CADERNO")), 2.0);
    QCOMPARE(db.dm().GenID(QStringLiteral("Caderno")), 3.0);
    QCOMPARE(db.scalar(QStringLiteral("SELECT gen_id(GEN_ID_CADERNO, 0) FROM RDB$DATABASE")).toLongLong(), 3);
    QCOMPARE(db.dm().GenID(QStringLiteral("tarefas")), 1.0); // generators are separate
}

void TestDataModule::genIdRejectsNonIdentifiersAndMissingGenerators()
{
    TestDatabase db;
    QVERIFY_THROWS_EXCEPTION(AppError, db.dm().GenID(QStringLiteral("CADERNO, 1) FROM RDB$DATABASE; --")));
    QVERIFY_THROWS_EXCEPTION(AppError, db.dm().GenID(QStringLiteral("NAO_EXISTE")));
    QCOMPARE(db.dm().GenID(QStringLiteral("CADERNO")), 1.0);
}

void TestDataModule::appDataFolder_data()
{
    QTest::addColumn<bool>("setAppData");
    QTest::addColumn<QString>("appDataSuffix");
    QTest::addColumn<bool>("exists");
    QTest::newRow("set") << true << "/perfil" << false;
    QTest::newRow("set with separator") << true << "/perfil/" << false;
    QTest::newRow("already there") << true << "/perfil" << true;
    QTest::newRow("empty: desktop data folder") << false << "" << false;
}

void TestDataModule::appDataFolder()
{
    QFETCH(bool, setAppData);
    QFETCH(QString, appDataSuffix);
    QFETCH(bool, exists);
    QTemporaryDir home;
    const QByteArray oldAppData = qgetenv("APPDATA");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("xdg"))));
    qputenv("APPDATA", setAppData ? QFile::encodeName(home.path() + appDataSuffix) : QByteArray());

    const QString expected = setAppData ? home.filePath(QStringLiteral("perfil/Tarefas"))
                                        : home.filePath(QStringLiteral("xdg/Tarefas"));
    QFile marker(expected + QStringLiteral("/kept.txt"));
    if (exists) {
        QDir().mkpath(expected);
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("x");
        marker.close();
    }
    TDM dm;
    QCOMPARE(dm.GetPathAppData(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(marker.exists(), exists);

    qputenv("APPDATA", oldAppData);
    qputenv("XDG_DATA_HOME", oldXdg);
}

void TestDataModule::schemaHasEveryColumnInOrder()
{
    TestDatabase db;
    FbQuery q(db.connection());
    q.setSql(QStringLiteral(
        "SELECT TRIM(RF.RDB$RELATION_NAME) || '.' || TRIM(RF.RDB$FIELD_NAME) || ' ' || "
        "CASE F.RDB$FIELD_TYPE WHEN 7 THEN 'SMALLINT' WHEN 8 THEN 'INTEGER' WHEN 16 THEN 'BIGINT' "
        "WHEN 35 THEN 'TIMESTAMP' WHEN 37 THEN 'VARCHAR' WHEN 261 THEN 'BLOB' || F.RDB$FIELD_SUB_TYPE "
        "ELSE 'OTHER' END "
        "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE RF.RDB$RELATION_NAME IN ('USUARIO', 'CADERNO', 'TAREFAS', 'ANEXOS') "
        "ORDER BY RF.RDB$RELATION_NAME, RF.RDB$FIELD_POSITION"));
    q.open();
    QStringList columns;
    for (const Row &row : q.rows())
        columns << row.first().toString();
    const QStringList expected = {
        "ANEXOS.ID INTEGER", "ANEXOS.ID_TAREFA BIGINT", "ANEXOS.NOME VARCHAR", "ANEXOS.EXTENSAO VARCHAR",
        "ANEXOS.ARQUIVO BLOB0",
        "CADERNO.ID BIGINT", "CADERNO.USUARIO_ID BIGINT", "CADERNO.PARENTID BIGINT", "CADERNO.BOXNUMBER INTEGER",
        "CADERNO.BOXKIND INTEGER", "CADERNO.NAME VARCHAR", "CADERNO.VISIVEL INTEGER", "CADERNO.IMAGEINDEX INTEGER",
        "CADERNO.QTD BIGINT",
        "TAREFAS.ID BIGINT", "TAREFAS.USUARIO_ID BIGINT", "TAREFAS.ASSUNTO VARCHAR", "TAREFAS.CADERNO_ID BIGINT",
        "TAREFAS.DATA_CADASTRO TIMESTAMP", "TAREFAS.DATA_INICIO TIMESTAMP", "TAREFAS.DATA_PREVISTA TIMESTAMP",
        "TAREFAS.DATA_CONCLUSAO TIMESTAMP", "TAREFAS.DATA_UPDATE TIMESTAMP", "TAREFAS.STATUS SMALLINT",
        "TAREFAS.PRIORIDADE SMALLINT", "TAREFAS.ANDAMENTO SMALLINT", "TAREFAS.ORDEM BIGINT",
        "TAREFAS.DESCRICAO BLOB0",
        "USUARIO.ID INTEGER", "USUARIO.NOME VARCHAR", "USUARIO.LOGIN VARCHAR", "USUARIO.SENHA VARCHAR",
        "USUARIO.ADMINISTRADOR INTEGER", "USUARIO.ATIVO INTEGER", "USUARIO.FLAG_PAINEL_LEITURA INTEGER",
        "USUARIO.FLAG_ARQUIVADOS INTEGER", "USUARIO.FLAG_INICIADO INTEGER", "USUARIO.FLAG_CONCLUIDO INTEGER",
    };
    QCOMPARE(columns, expected);
    QCOMPARE(db.scalar(QStringLiteral("SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE")).toString().trimmed(),
             QStringLiteral("WIN1252"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT F.RDB$FIELD_LENGTH FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F "
                                      "ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = "
                                      "'TAREFAS' AND RF.RDB$FIELD_NAME = 'ASSUNTO'")).toInt(), 200);
}

void TestDataModule::generatorsStartAtOne()
{
    TestDatabase db;
    for (const char *table : {"USUARIO", "CADERNO", "TAREFAS", "ANEXOS"})
        QCOMPARE(db.dm().GenID(QString::fromLatin1(table)), 1.0);
}

void TestDataModule::notebookCountLeavesOutClosedTasks()
{
    TestDatabase db;
    const qint64 home = db.addNotebook(1, QStringLiteral("Casa"));
    for (int status = 0; status <= 4; ++status)
        db.addTask({.userId = 1, .notebookId = home, .status = status});
    db.addTask({.userId = 1, .notebookId = 0});
    QCOMPARE(db.scalar(QStringLiteral("SELECT QTD FROM CADERNO WHERE ID = %1").arg(home)).toInt(), 3);
}

void TestDataModule::deletingTaskDeletesItsAttachments()
{
    TestDatabase db;
    const qint64 kept = db.addTask({});
    const qint64 gone = db.addTask({});
    db.exec(QStringLiteral("INSERT INTO ANEXOS (ID, ID_TAREFA, NOME, EXTENSAO, ARQUIVO) VALUES (1, %1, 'a.pdf', '.pdf', NULL)").arg(gone));
    db.exec(QStringLiteral("INSERT INTO ANEXOS (ID, ID_TAREFA, NOME, EXTENSAO, ARQUIVO) VALUES (2, %1, 'b.pdf', '.pdf', NULL)").arg(kept));
    db.exec(QStringLiteral("DELETE FROM TAREFAS WHERE ID = %1").arg(gone));
    QCOMPARE(db.scalar(QStringLiteral("SELECT LIST(ID) FROM ANEXOS")).toString(), QStringLiteral("2"));
}

void TestDataModule::createDbRefusesToOverwrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("EXISTE.FDB"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();

    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orbilane-createdb"), {path});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("já existe")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not a database"));

    const QString fresh = dir.filePath(QStringLiteral("NOVO.FDB"));
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orbilane-createdb"), {fresh});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(QFileInfo(fresh).size() > 0);
}

void TestDataModule::openFailuresAreReportedAndCreateNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing folder") << "missing-folder";
    QTest::newRow("missing file") << "missing-file";
    QTest::newRow("not a database") << "garbage";
    QTest::newRow("read-only file") << "read-only";
}

void TestDataModule::openFailuresAreReportedAndCreateNothing()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Banco/DATA.FDB"));
    QByteArray garbage(40000, 'x');
    if (kind != QLatin1String("missing-folder"))
        QDir().mkpath(dir.filePath(QStringLiteral("Banco")));
    if (kind == QLatin1String("garbage")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    if (kind == QLatin1String("read-only")) {
        QVERIFY(QFile::copy(TestDatabase::templatePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    }
    const QByteArray before = QFileInfo::exists(path) ? [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }() : QByteArray();

    TDM dm;
    dm.FDConn.settings().database = path;
    try {
        dm.FDConn.open();
        if (kind == QLatin1String("read-only") && geteuid() == 0)
            QSKIP("root writes read-only files; the permission case cannot be shown here");
        QFAIL("the database opened");
    } catch (const AppError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Não foi possível abrir o banco de dados")), qPrintable(e.message()));
        QVERIFY2(e.message().count(QLatin1Char('\n')) >= 2, "the engine's own message follows the sentence");
    }
    // A second attempt reports again instead of pretending to be open.
    QVERIFY_THROWS_EXCEPTION(AppError, dm.FDConn.attachment());
    QCOMPARE(QFileInfo::exists(path), !before.isEmpty());
    if (!before.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Banco"))) || kind != QLatin1String("missing-folder"));
}

void TestDataModule::databaseHeldByTheOtherServerModeIsReported()
{
    const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    if (isql.isEmpty())
        QSKIP("isql-fb is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DATA.FDB"));
    QVERIFY(QFile::copy(TestDatabase::templatePath(), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    // isql with the system's own configuration runs the engine in its default
    // (Super) mode and keeps the file open until its input ends.
    QProcess holder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("FIREBIRD"));
    holder.setProcessEnvironment(env);
    holder.start(isql, {QStringLiteral("-user"), QStringLiteral("sysdba"), path});
    QVERIFY(holder.waitForStarted());
    const auto holdsFile = [&] {
        QDir fds(QStringLiteral("/proc/%1/fd").arg(holder.processId()));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == QFileInfo(path).canonicalFilePath())
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(holdsFile(), 10000);

    TDM dm;
    dm.FDConn.settings().database = path;
    try {
        dm.FDConn.open();
        QFAIL("the database opened while another server mode held it");
    } catch (const AppError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Não foi possível abrir o banco de dados")), qPrintable(e.message()));
    }
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));

    // Once the other program lets go, the same connection opens.
    dm.FDConn.open();
    QVERIFY(dm.FDConn.isOpen());
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
