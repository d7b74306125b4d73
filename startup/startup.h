#pragma once

// The whole start of the program: one copy per session, the splash window,
// the data module, the main window and the event loop. Returns the exit code.
int runOrbilane(int argc, char **argv);
