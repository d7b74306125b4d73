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

#include <unistd.h>

void openDataModule(TDM &dm, const QString &executableDir)
{
    try {
        dm.DataModuleCreate(executableDir);
    } catch (const AppError &e) {
        ErrorReportingApplication::reportError(e.message());
    }
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
    applyAppStyle(app);

    {
        TfrmSplash splash;
        splash.exec();
        StartupProbe::splashClosed(splash.shownMilliseconds());
    }

    TDM dm;
    DM = &dm;
    openDataModule(dm);

    quitOnTerminationSignals(app);

    TfrmMain main;
    frmMain = &main;
    StartupProbe::watch(&main);
    main.showMaximized();
    const int code = app.exec();
    if (terminationRequested())
        ::_exit(0);
    frmMain = nullptr;
    DM = nullptr;
    return code;
}
