// A scripted worker for the front-end tests, linked into setup_probe.exe in
// place of the installation engine, so that the progress page can be driven
// deterministically. It reports 50 % and waits until the bar shows it (the
// page reads nextPercent when it handles the message, not when it was
// posted), then reports an out-of-range 101 that the page must ignore, and waits until the test creates e:\go (the test's signal) or
// the user's cancel reaches it. On a cancel it leaves e:\worker-stopped, which
// proves that the process waited for it. With e:\fail present it returns 0
// without a cancel, which the page must ignore.
#include "engine.h"
#include <commctrl.h>
#include "setup_state.h"

static int FileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void ReportPercent(DWORD percent)
{
    setupState.nextPercent = percent;
    PostMessageA(setupState.progressDialog, WM_SETUP_PROGRESS, 0, 0);
}

int RunInstall(HWND owner)
{
    (void)owner;
    ReportPercent(50);
    while (SendMessageA(setupState.progressBar, PBM_GETPOS, 0, 0) < 50)
        Sleep(10);
    ReportPercent(101);
    while (!FileExists("e:\\go") && !setupState.cancelRequested)
        Sleep(20);
    if (setupState.cancelRequested) {
        HANDLE marker = CreateFileA("e:\\worker-stopped", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        CloseHandle(marker);
        return 0;
    }
    return FileExists("e:\\fail") ? 0 : 1;
}
