// Finding and pressing the windows of the setup program from another
// process, for the run command's walk (show.exe) and the installation
// benchmark.
#pragma once
#include <windows.h>

// The first visible top-level window with exactly this caption that has a
// control `control` (0: any window), polled every pollMs for up to ms; NULL
// if none came.
HWND WaitWindow(const char* caption, int control, DWORD ms, DWORD pollMs = 50);
// Posts a click of Next (201) to a wizard page.
void ClickNext(HWND page);
