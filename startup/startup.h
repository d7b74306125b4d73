#pragma once

// The whole start of the program: one copy per session, the splash window,
// the data module, the main window and the event loop. Returns the exit code.
int runOrbilane(int argc, char **argv);

#include <QString>

class TDM;

// Opens the database for the data module; a failure is shown in the error
// box and start-up goes on without a connection.
void openDataModule(TDM &dm, const QString &executableDir = QString());
