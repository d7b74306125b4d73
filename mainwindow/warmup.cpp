#include "mainwindow/warmup.h"

#include "mainwindow/ribbonimages.h"
#include "platform/ui/appstyle.h"

#include <QFontMetrics>

void warmUpMainWindowResources()
{
    const QSize size(32, 32);
    for (int index : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 36, 39, 40, 41, 42, 43, 47, 48})
        images::ribbon(index).pixmap(size);
    for (int index : {14, 15})
        images::notebook(index).pixmap(16, 16);
    QFontMetrics(QFont(uiFontFamily(), 9)).height();
    QFontMetrics(arialFont(12, true)).height();
}
