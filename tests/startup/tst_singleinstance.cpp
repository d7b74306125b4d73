// One copy per desktop session, with real processes of the program.
#include "platform/instance/singleinstance.h"
#include "tests/support/testdatabase.h"

#include <QtTest>

#include <csignal>

namespace {

QString programPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/orbilane");
}

// Starts the program in the session whose runtime folder is sessionDir.
std::unique_ptr<QProcess> start(const QString &sessionDir, const QString &program = programPath())
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), sessionDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->start(program, {});
    return p;
}

// True once a copy holds the lock of that session (the test asks for it and lets go at once).
bool lockHeldIn(const QString &sessionDir)
{
    const QByteArray old = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(sessionDir));
    bool held;
    {
        SingleInstance probe;
        held = !probe.acquire();
    }
    qputenv("XDG_RUNTIME_DIR", old);
    return held;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAtOnceAndFirstGoesOn();
    void nextStartRunsAfterTheFirstCrashed();
    void differentSessionsRunSideBySide();
    void terminationSignalEndsTheProgram();
    void withoutDatabaseItReportsCreatesNothingAndCanBeEnded();
};

void TestSingleInstance::secondStartEndsAtOnceAndFirstGoesOn()
{
    QTemporaryDir session;
    auto first = start(session.path());
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(session.path()), 10000);

    QElapsedTimer clock;
    clock.start();
    auto second = start(session.path());
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(clock.elapsed() < 900, "the second copy showed the splash or waited"); // well below the splash's second
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QCOMPARE(first->state(), QProcess::Running);

    first->kill();
    first->waitForFinished();
}

void TestSingleInstance::nextStartRunsAfterTheFirstCrashed()
{
    QTemporaryDir session;
    auto first = start(session.path());
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(session.path()), 10000);
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished());

    auto next = start(session.path());
    QVERIFY(next->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(session.path()), 10000);
    QVERIFY(!next->waitForFinished(1500)); // it runs instead of ending
    next->kill();
    next->waitForFinished();
}

void TestSingleInstance::differentSessionsRunSideBySide()
{
    QTemporaryDir one, two;
    auto a = start(one.path());
    auto b = start(two.path());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(one.path()) && lockHeldIn(two.path()), 10000);
    QCOMPARE(a->state(), QProcess::Running);
    QCOMPARE(b->state(), QProcess::Running);
    a->kill();
    b->kill();
    a->waitForFinished();
    b->waitForFinished();
}

void TestSingleInstance::terminationSignalEndsTheProgram()
{
    QTemporaryDir session;
    auto p = start(session.path());
    QVERIFY(p->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(session.path()), 10000);
    QTest::qWait(1500); // past the splash: the database engine is loaded by now
    p->terminate(); // SIGTERM, as when the desktop session ends
    QVERIFY2(p->waitForFinished(10000), "the program ignored SIGTERM");
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QVERIFY(!lockHeldIn(session.path()));
}

void TestSingleInstance::withoutDatabaseItReportsCreatesNothingAndCanBeEnded()
{
    // A copy of the program whose folder has no Banco folder.
    QTemporaryDir folder, session;
    const QString bin = QCoreApplication::applicationDirPath();
    QVERIFY(QFile::copy(programPath(), folder.filePath(QStringLiteral("orbilane"))));
    QFile::setPermissions(folder.filePath(QStringLiteral("orbilane")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(folder.filePath(QStringLiteral("firebird/intl")));
    for (const char *file : {"firebird.conf", "firebird.msg", "intl/libfbintl.so", "intl/fbintl.conf"})
        QVERIFY(QFile::copy(bin + QStringLiteral("/firebird/") + QLatin1String(file),
                            folder.filePath(QStringLiteral("firebird/") + QLatin1String(file))));
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    auto p = start(session.path(), folder.filePath(QStringLiteral("orbilane")));
    QVERIFY(p->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(lockHeldIn(session.path()), 10000);
    QTest::qWait(1800); // the splash has gone and the error box is up
    QCOMPARE(p->state(), QProcess::Running);
    p->terminate();
    QVERIFY2(p->waitForFinished(10000), "the program could not be ended while it showed the error");
    QCOMPARE(p->exitCode(), 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before); // no Banco, no file
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
