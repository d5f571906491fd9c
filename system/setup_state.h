// The one process-wide record of the installation, shared by the UI thread
// and the worker without locks (see the field notes), and the private
// messages through which the worker talks to the progress page.
#ifndef VELORIN_SYSTEM_SETUP_STATE_H
#define VELORIN_SYSTEM_SETUP_STATE_H

#include <windows.h>

// Posted, never sent, to the progress page with both parameters 0.
enum {
    WM_SETUP_START = WM_USER + 1,
    WM_SETUP_PROGRESS = WM_USER + 2,
    WM_SETUP_DONE = WM_USER + 3,
    WM_SETUP_FAILED = WM_USER + 4
};

// Caption of every message box but the upgrade notice.
#define SETUP_CAPTION "Velorin Installation"

// Every path field holds a full Windows path; nothing is ever cut silently.
enum { SETUP_PATH_SIZE = MAX_PATH };

struct SetupState {
    HINSTANCE appInstance;
    char sourceDir[SETUP_PATH_SIZE];     // setup's own directory, '\' at the end, lower case
    char installDir[SETUP_PATH_SIZE];    // no trailing '\' once the directory page accepted it
    char componentDir[SETUP_PATH_SIZE];  // installDir + "\corvex\"
    char failedPath[SETUP_PATH_SIZE];    // named by the last open/create/write/unpack failure

    // Written whole by either thread; only ever set during a run, polled by the worker.
    volatile LONG cancelRequested;
    LONG floppyInstall;
    LONG mailClientFound;
    LONG diskNumber;

    // Progress counters: written by the worker only; nextPercent is read by
    // the page when it handles WM_SETUP_PROGRESS.
    DWORD totalBytes;
    DWORD bytesPerPercent;
    DWORD bytesDone;
    volatile DWORD nextPercent;

    HWND progressDialog;
    HWND statusText;
    HWND progressBar;

    HANDLE workerThread;
    DWORD workerThreadId;
};

extern SetupState setupState;

#endif
