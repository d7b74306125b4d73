#pragma once

#include "platform/ui/appstyle.h"
#include "platform/ui/errorreportingapplication.h"

#include <QtTest>

// Like QTEST_MAIN, with the program's own application class, so that an
// error escaping an event handler is reported as the program reports it.
#define ORBILANE_GUI_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        ErrorReportingApplication app(argc, argv);                                                                     \
        applyAppStyle(app);                                                                                            \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
