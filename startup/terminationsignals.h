#pragma once

class QCoreApplication;

// The embedded database engine catches SIGTERM and SIGINT for itself: it
// shuts every connection down and lets the process run on, so a program told
// to end (for instance when the desktop session closes) would stay open with
// a dead connection. Installed once the engine has loaded, these handlers
// take the signals over and end the event loop instead.
void quitOnTerminationSignals(QCoreApplication &app);

// True once one of those signals arrived. Closing the connection afterwards
// can spin inside the engine, so the program then ends without it: every
// statement has already committed, and the kernel releases the file locks.
bool terminationRequested();
