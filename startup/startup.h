#pragma once

// The whole start of the program: one copy per session, the splash window,
// the data module, the main window and the event loop. Returns the exit code.
int runOrbilane(int argc, char **argv);

#include <QString>

class TDM;

// Opens the database for the data module. A failure does not stop start-up:
// its text comes back for the error box, and the data module stays without
// a connection (every later statement tries again).
QString openDataModule(TDM &dm, const QString &executableDir = QString());
