#include "startup/startupprobe.h"

#include "platform/instance/processclock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

double g_splashStart = -1;
double g_splashEnd = -1;
bool enabled() { return qEnvironmentVariableIsSet("ORBILANE_STARTUP_PROBE"); }

class ShownFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            const double now = StartupProbe::sinceProcessStart();
            const double splash = g_splashEnd > 0 ? g_splashEnd - g_splashStart : 0;
            std::printf("startup_ms %.1f splash_ms %.1f\n", now - splash, splash);
            std::fflush(stdout);
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

namespace StartupProbe {

double sinceProcessStart()
{
    return millisecondsSinceProcessStart();
}

void splashClosed(qint64 shownMilliseconds)
{
    if (!enabled())
        return;
    g_splashEnd = sinceProcessStart();
    g_splashStart = g_splashEnd - double(shownMilliseconds);
}

void watch(QWidget *mainWindow)
{
    if (enabled())
        mainWindow->installEventFilter(new ShownFilter(mainWindow));
}

} // namespace StartupProbe
