#include "startup/startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

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
    // Field 22 of /proc/self/stat: start time in clock ticks since boot.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
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
