#pragma once

class QCoreApplication;

// The embedded database engine catches SIGTERM and SIGINT for itself: it
// shuts every connection down and lets the process run on, so a program told
// to end (for instance when the desktop session closes) would stay open with
// a dead connection. Installed once the engine has loaded, these handlers
// take the signals over: the next pass of whatever event loop is running
// ends the process with code 0. Nothing is lost (every statement has already
// committed) and the kernel releases the file locks; closing the connection
// after the engine has seen such a signal could spin forever, so it is not
// attempted.
void quitOnTerminationSignals(QCoreApplication &app);
