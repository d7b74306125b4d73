// The Firebird wrapper: parameters, types, text encoding, auto-commit and conflicts.
#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/fbconnection.h"
#include "storage/fbquery.h"
#include "storage/sqlparams.h"
#include "tests/support/testdatabase.h"

#include <QtTest>

using namespace Firebird;

class TestFbQuery : public QObject
{
    Q_OBJECT
private slots:
    void namedParameters_data();
    void namedParameters();
    void textRoundTripsInWin1252();
    void characterOutsideWin1252IsRefusedAndNothingStored();
    void valuesOfEveryTypeRoundTrip();
    void returningValuesComeBack();
    void repeatedParameterAndTrailingSemicolon();
    void missingParameterIsAnError();
    void secondConnectionSeesEachStatementAtOnce();
    void conflictingRowGivesClearErrorInsteadOfHang();
    void engineErrorCarriesItsMessage();
};

void TestFbQuery::namedParameters_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("translated");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("plain") << "SELECT * FROM T WHERE ID = :ID AND X = :x_1"
                           << "SELECT * FROM T WHERE ID = ? AND X = ?" << QStringList{"ID", "X_1"};
    QTest::newRow("literal kept") << "SELECT ':NOT', 'it''s :NO' FROM T WHERE A = :A"
                                  << "SELECT ':NOT', 'it''s :NO' FROM T WHERE A = ?" << QStringList{"A"};
    QTest::newRow("comments kept") << "SELECT 1 -- :C\nFROM T /* :D */ WHERE B = :B"
                                   << "SELECT 1 -- :C\nFROM T /* :D */ WHERE B = ?" << QStringList{"B"};
    QTest::newRow("quoted identifier") << "SELECT \":Q\" FROM T" << "SELECT \":Q\" FROM T" << QStringList{};
    QTest::newRow("repeated") << "WHERE U = :USUARIO_ID OR V = :USUARIO_ID"
                              << "WHERE U = ? OR V = ?" << QStringList{"USUARIO_ID", "USUARIO_ID"};
    QTest::newRow("final semicolon") << "ORDER BY 1;\n" << "ORDER BY 1" << QStringList{};
    QTest::newRow("dollar names") << "FROM rdb$DATABASE WHERE :P$1 = 1" << "FROM rdb$DATABASE WHERE ? = 1"
                                  << QStringList{"P$1"};
}

void TestFbQuery::namedParameters()
{
    QFETCH(QString, sql);
    const TranslatedSql t = translateNamedParameters(sql);
    QTEST(t.sql, "translated");
    QTEST(t.names, "names");
}

void TestFbQuery::textRoundTripsInWin1252()
{
    TestDatabase db;
    const QString text = QStringLiteral("€“”ação Œ™ ÿ");
    FbQuery insert(db.connection());
    insert.setSql(QStringLiteral("INSERT INTO CADERNO (ID, NAME) VALUES (1, :N)"));
    insert.setParam(QStringLiteral("N"), text);
    insert.execSql();

    FbQuery q(db.connection());
    q.setSql(QStringLiteral("SELECT NAME, OCTET_LENGTH(NAME) BYTES FROM CADERNO WHERE ID = 1"));
    q.open();
    QCOMPARE(q.fieldByName(QStringLiteral("NAME")).toString(), text);
    // One byte per character: the column really holds Windows-1252.
    QCOMPARE(q.fieldByName(QStringLiteral("BYTES")).toInt(), text.size());
}

void TestFbQuery::characterOutsideWin1252IsRefusedAndNothingStored()
{
    TestDatabase db;
    for (const QString &text : {QStringLiteral("日本"), QStringLiteral("emoji 😀"), QStringLiteral("Ł")}) {
        FbQuery q(db.connection());
        q.setSql(QStringLiteral("INSERT INTO CADERNO (ID, NAME) VALUES (7, :N)"));
        q.setParam(QStringLiteral("N"), text);
        try {
            q.execSql();
            QFAIL("the text was accepted");
        } catch (const AppError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("não consegue guardar")), qPrintable(e.message()));
        }
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM CADERNO")).toInt(), 0);
}

void TestFbQuery::valuesOfEveryTypeRoundTrip()
{
    TestDatabase db;
    const QDateTime when(QDate(2026, 12, 11), QTime(23, 59, 58, 987));
    QByteArray blob(70000, '\0');
    for (int i = 0; i < blob.size(); ++i)
        blob[i] = char(i * 7);
    const qint64 big = Q_INT64_C(9007199254740991);

    FbQuery insert(db.connection());
    insert.setSql(QStringLiteral("INSERT INTO TAREFAS (ID, USUARIO_ID, ASSUNTO, DATA_CADASTRO, DATA_INICIO, STATUS, "
                                 "ORDEM, DESCRICAO) VALUES (:ID, :U, :A, :DC, :DI, :S, :O, :D)"));
    insert.setParam(QStringLiteral("ID"), big);
    insert.setParam(QStringLiteral("U"), QStringLiteral("12")); // text converted by the engine
    insert.setParam(QStringLiteral("A"), QString());
    insert.setParam(QStringLiteral("DC"), when);
    insert.setParam(QStringLiteral("DI"), QVariant());
    insert.setParam(QStringLiteral("S"), 3);
    insert.setParam(QStringLiteral("O"), big);
    insert.setParam(QStringLiteral("D"), blob);
    insert.execSql();
    QCOMPARE(insert.rowsAffected(), 1);

    FbQuery q(db.connection());
    q.setSql(QStringLiteral("SELECT * FROM TAREFAS"));
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("ID")).typeId(), QMetaType::LongLong);
    QCOMPARE(q.fieldByName(QStringLiteral("ID")).toLongLong(), big);
    QCOMPARE(q.fieldByName(QStringLiteral("USUARIO_ID")).toLongLong(), 12);
    QCOMPARE(q.fieldByName(QStringLiteral("ASSUNTO")).toString(), QString());
    QVERIFY(q.fieldByName(QStringLiteral("ASSUNTO")).isValid()); // empty text is not NULL
    QCOMPARE(q.fieldByName(QStringLiteral("DATA_CADASTRO")).toDateTime(), when);
    QVERIFY(!q.fieldByName(QStringLiteral("DATA_INICIO")).isValid());
    QVERIFY(!q.fieldByName(QStringLiteral("CADERNO_ID")).isValid());
    QCOMPARE(q.fieldByName(QStringLiteral("STATUS")).typeId(), QMetaType::Int);
    QCOMPARE(q.fieldByName(QStringLiteral("STATUS")).toInt(), 3);
    QCOMPARE(q.fieldByName(QStringLiteral("DESCRICAO")).toByteArray(), blob);
    QVERIFY_THROWS_EXCEPTION(AppError, q.fieldByName(QStringLiteral("NO_SUCH_COLUMN")));
}

void TestFbQuery::returningValuesComeBack()
{
    TestDatabase db;
    FbQuery q(db.connection());
    q.sql() << QStringLiteral("INSERT INTO CADERNO (ID, USUARIO_ID, NAME, VISIVEL, IMAGEINDEX)")
            << QStringLiteral("VALUES (gen_id(GEN_ID_CADERNO, 1), 5, 'Casa', 1, 15)")
            << QStringLiteral("RETURNING ID, NAME, QTD");
    q.execSql();
    QCOMPARE(q.fieldByName(QStringLiteral("ID")).toLongLong(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("NAME")).toString(), QStringLiteral("Casa"));
    QCOMPARE(q.fieldByName(QStringLiteral("QTD")).toInt(), 0);

    FbQuery update(db.connection());
    update.setSql(QStringLiteral("UPDATE CADERNO SET NAME = 'X' WHERE ID = 999 RETURNING ID"));
    update.execSql();
    QCOMPARE(update.rowsAffected(), 0);
    QVERIFY(update.isEmpty());
}

void TestFbQuery::repeatedParameterAndTrailingSemicolon()
{
    TestDatabase db;
    db.addTask({.userId = 4});
    db.addTask({.userId = 4, .status = 3});
    db.addTask({.userId = 5});
    FbQuery q(db.connection());
    q.setSql(QStringLiteral("SELECT COUNT(*) N, CAST(:U AS BIGINT) U FROM TAREFAS WHERE USUARIO_ID = :U;"));
    q.setParam(QStringLiteral("u"), 4);
    q.open();
    QCOMPARE(q.fieldByName(QStringLiteral("N")).toInt(), 2);
    QCOMPARE(q.fieldByName(QStringLiteral("U")).toLongLong(), 4);
}

void TestFbQuery::missingParameterIsAnError()
{
    TestDatabase db;
    FbQuery q(db.connection());
    q.setSql(QStringLiteral("SELECT * FROM TAREFAS WHERE ID = :ID"));
    QVERIFY_THROWS_EXCEPTION(AppError, q.open());
}

void TestFbQuery::secondConnectionSeesEachStatementAtOnce()
{
    TestDatabase db;
    FbConnection other;
    other.settings().database = db.path();
    other.open();
    FbQuery reader(other);
    reader.setSql(QStringLiteral("SELECT COUNT(*) FROM CADERNO"));
    reader.open();
    QCOMPARE(reader.rows().first().first().toInt(), 0);

    FbQuery writer(db.connection());
    writer.setSql(QStringLiteral("INSERT INTO CADERNO (ID, NAME) VALUES (gen_id(GEN_ID_CADERNO, 1), 'a') RETURNING ID"));
    writer.execSql(); // a RETURNING statement must commit like any other
    reader.open();
    QCOMPARE(reader.rows().first().first().toInt(), 1);

    FbQuery update(db.connection());
    update.setSql(QStringLiteral("UPDATE CADERNO SET NAME = 'b'"));
    update.execSql();
    FbQuery name(other);
    name.setSql(QStringLiteral("SELECT NAME FROM CADERNO"));
    name.open();
    QCOMPARE(name.rows().first().first().toString(), QStringLiteral("b"));
}

void TestFbQuery::conflictingRowGivesClearErrorInsteadOfHang()
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO CADERNO (ID, NAME) VALUES (1, 'a')"));

    // Another program holds the row in an open transaction.
    FbConnection holder;
    holder.settings().database = db.path();
    ITransaction *tra = holder.startTransaction();
    ThrowStatusWrapper status(fbclient::master()->getStatus());
    const char *sql = "UPDATE CADERNO SET NAME = 'held' WHERE ID = 1";
    holder.attachment()->execute(&status, tra, 0, sql, SQL_DIALECT_V6, nullptr, nullptr, nullptr, nullptr);

    db.connection().settings().lockTimeoutSeconds = 1;
    FbQuery q(db.connection());
    q.setSql(QStringLiteral("UPDATE CADERNO SET NAME = 'mine' WHERE ID = 1"));
    try {
        q.execSql();
        QFAIL("the conflicting update went through");
    } catch (const AppError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("outro usuário")), qPrintable(e.message()));
    }
    tra->rollback(&status);
    status.dispose();
    QCOMPARE(db.scalar(QStringLiteral("SELECT NAME FROM CADERNO")).toString(), QStringLiteral("a"));
}

void TestFbQuery::engineErrorCarriesItsMessage()
{
    TestDatabase db;
    FbQuery q(db.connection());
    q.setSql(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    try {
        q.open();
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("NO_SUCH_TABLE")), qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestFbQuery)
#include "tst_fbquery.moc"
