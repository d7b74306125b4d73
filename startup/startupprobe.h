#pragma once

#include <QtGlobal>

class QWidget;

// Measures start-up for the benchmark: with ORBILANE_STARTUP_PROBE set, the
// program prints how long it took from process start to the main window on
// screen, less the time the splash window was up, and ends there.
namespace StartupProbe {

void splashClosed(qint64 shownMilliseconds);
void watch(QWidget *mainWindow);
// Milliseconds since the kernel started this process.
double sinceProcessStart();

} // namespace StartupProbe
