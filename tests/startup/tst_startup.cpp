// Start-up pieces in process: the splash window and a database that cannot be opened.
#include "startup/FSplash.h"
#include "startup/startup.h"
#include "mainwindow/uMain.h"
#include "platform/ui/messagebox.h"
#include "storage/ufDataModule.h"
#include "tests/support/answers.h"
#include "tests/support/guitestmain.h"

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void splashShowsItsPictureForOneSecond();
    void missingDatabaseIsReportedAndStartUpGoesOn();
};

void TestStartup::splashShowsItsPictureForOneSecond()
{
    TfrmSplash splash;
    QCOMPARE(splash.size(), QSize(439, 248));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.palette().color(QPalette::Window), QColor(0, 114, 198));
    QVERIFY(!splash.Timer1.isActive()); // only showing it starts the timer
    QCOMPARE(splash.Timer1.interval(), 1000);

    QElapsedTimer clock;
    clock.start();
    QImage shown;
    QTimer::singleShot(200, &splash, [&] { shown = splash.grab().toImage(); });
    splash.exec(); // closes by itself
    QVERIFY2(clock.elapsed() >= 990 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(shown.size(), QSize(439, 248));
    // The picture fills the window: blue at the corner, white lettering inside.
    const QColor corner = shown.pixelColor(2, 2);
    QVERIFY(corner.blue() > 150 && corner.red() < 60);
    int white = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            white += shown.pixelColor(x, y).lightness() > 240;
    QVERIFY(white > 500);
}

void TestStartup::missingDatabaseIsReportedAndStartUpGoesOn()
{
    DialogAnswersScope answers;
    QTemporaryDir programFolder; // a program folder without the Banco folder
    TDM dm;
    DM = &dm;
    const QString error = openDataModule(dm, programFolder.path());
    DM = nullptr;
    QVERIFY2(error.startsWith(QStringLiteral("Não foi possível abrir o banco de dados")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("Banco/DATA.FDB")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("No such file")), qPrintable(error)); // the engine's own words follow
    QVERIFY(!dm.FDConn.isOpen());
    QCOMPARE(QDir(programFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    // The main window is still built and can be closed.
    DM = &dm;
    {
        TfrmMain window;
        window.show();
        window.TimerLogin.stop();
        window.btSair->trigger();
        QVERIFY(!window.isVisible());
    }
    DM = nullptr;
}

ORBILANE_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
