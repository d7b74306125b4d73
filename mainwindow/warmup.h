#pragma once

// Loads, ahead of time, what building the main window would otherwise wait
// for: the icon theme with every picture the window shows, and the fonts it
// names. Start-up runs it while the splash window is on screen.
void warmUpMainWindowResources();
