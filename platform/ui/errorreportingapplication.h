#pragma once

#include <QApplication>

// The program's one global error handler: an error that escapes an event
// handler is shown in a message box with its text, and the program goes on.
class ErrorReportingApplication : public QApplication
{
public:
    ErrorReportingApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows an error that was caught outside the event loop (at start-up).
    static void reportError(const QString &text);
};
