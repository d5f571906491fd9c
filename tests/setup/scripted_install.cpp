// The worker of setup_probe.exe: the front end linked with this script in place of the installation
// engine, so that the progress page meets its messages at exact moments. It reports 50 % and waits
// until the bar shows it (the page reads nextPercent when it handles the message), reports that it
// failed while no cancel was asked for, reports an out-of-range 101, and then waits for the test's
// e:\go or the user's cancel.
#include "engine.h"
#include <commctrl.h>
#include "setup_state.h"

static void Report(UINT message, DWORD percent) {
    setupState.nextPercent = percent;
    PostMessageA(setupState.progressDialog, message, 0, 0);
}

int RunInstall(HWND owner) {
    (void)owner;
    Report(WM_SETUP_PROGRESS, 50);
    while (SendMessageA(setupState.progressBar, PBM_GETPOS, 0, 0) < 50) Sleep(10);
    Report(WM_SETUP_FAILED, 50);
    Report(WM_SETUP_PROGRESS, 101);
    while (GetFileAttributesA("e:\\go") == INVALID_FILE_ATTRIBUTES && !setupState.cancelRequested)
        Sleep(20);
    return !setupState.cancelRequested;
}
