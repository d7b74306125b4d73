#include "startup/startup.h"

#include "mainwindow/uMain.h"
#include "platform/instance/singleinstance.h"
#include "platform/ui/appstyle.h"
#include "platform/ui/errorreportingapplication.h"
#include "startup/FSplash.h"
#include "startup/startupprobe.h"
#include "startup/terminationsignals.h"
#include "storage/apperror.h"
#include "storage/ufDataModule.h"

#include <memory>

QString openDataModule(TDM &dm, const QString &executableDir)
{
    try {
        dm.DataModuleCreate(executableDir);
    } catch (const AppError &e) {
        return e.message();
    }
    return {};
}

int runOrbilane(int argc, char **argv)
{
    SingleInstance instance;
    if (!instance.acquire()) {
        SingleInstance::notifyRunningCopy();
        return 0;
    }

    ErrorReportingApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Orbilane"));
    app.setApplicationVersion(QStringLiteral(ORBILANE_VERSION));

    // The splash's second is not wasted: once it is on screen, the look is set
    // up, the data module opens the database and the main window is built (its
    // icons and fonts loaded with it), so
    // that the window comes up as soon as the splash goes. The order stays:
    // splash first, then the data module, then the main window.
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TfrmMain> main;
    QString openError;
    auto prepare = [&] {
        if (main)
            return;
        applyAppStyle(app);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        openError = openDataModule(*dm);
        quitOnTerminationSignals(app); // the engine is loaded now: take its signals over
        main = std::make_unique<TfrmMain>();
        frmMain = main.get();
    };
    {
        TfrmSplash splash;
        splash.setWhileShown(prepare);
        splash.exec();
        StartupProbe::splashClosed(splash.shownMilliseconds());
    }
    prepare(); // in case the splash closed before its work ran
    if (!openError.isEmpty())
        ErrorReportingApplication::reportError(openError);

    StartupProbe::watch(main.get());
    main->showMaximized();
    const int code = app.exec();
    main.reset();
    frmMain = nullptr;
    dm.reset();
    DM = nullptr;
    return code;
}
