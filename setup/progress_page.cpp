// The progress page and the worker thread it starts. The worker talks to the
// page only through posted messages and SetupState; the page talks to the
// worker only through cancelRequested.
#include "setup.h"
#include <commctrl.h>
#include "setup_logic.h"
#include "setup_state.h"
#include "confirm_transfer.h"
#include "engine.h"
#include "../res/resource.h"

static void OnProgressPageInit(HWND page)
{
    setupState.progressDialog = page;
    setupState.statusText = GetDlgItem(page, IDC_STATUS);
    CenterDialog(page);
    setupState.progressBar = GetDlgItem(page, IDC_PROGRESS);
    SendMessageA(setupState.progressBar, PBM_SETSTEP, 1, 0);
    // The worker starts only once the page's modal loop runs.
    PostMessageA(page, WM_SETUP_START, 0, 0);
}

// Without its worker the page would wait at 0 % for ever: the installation
// has failed before it began, and the user is told so.
static void OnSetupStart(HWND page)
{
    setupState.cancelRequested = 0;
    setupState.workerThread =
        CreateThread(NULL, 0, InstallThread, NULL, 0, &setupState.workerThreadId);
    if (!setupState.workerThread) {
        ConfirmTransfer(page, TRANSFER_FATAL);
        EndDialog(page, IDC_CANCEL_SETUP);
    }
}

// The worker is not paused while the question is up: a WM_SETUP_DONE that
// arrives meanwhile still ends the page, and a later Yes only sets the flag.
static void OnCancelPressed(HWND page)
{
    if (MessageBoxA(setupState.progressDialog, "Are you sure you want to cancel installation?",
                    SETUP_CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        setupState.cancelRequested = 1;
        EndDialog(page, IDC_CANCEL_SETUP);
    }
}

// The bar shows nextPercent as it is now, not as it was when the message was posted.
static void OnSetupProgress(void)
{
    DWORD percent = setupState.nextPercent;
    if (percent <= 100)
        SendMessageA(setupState.progressBar, PBM_SETPOS, percent, 0);
}

static void OnSetupDone(HWND page)
{
    EndDialog(page, IDC_NEXT);
    char commandLine[MAX_INSTALL_DIR_LENGTH + 64];
    if (FormatRegistrationCommand(setupState.installDir, commandLine, sizeof commandLine))
        WinExec(commandLine, SW_SHOWNORMAL);
}

static void OnSetupFailed(HWND page)
{
    if (setupState.cancelRequested)
        EndDialog(page, IDC_CANCEL_SETUP);
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnProgressPageInit(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CANCEL_SETUP) {
            OnCancelPressed(page);
            return TRUE;
        }
        return FALSE;
    case WM_SETUP_START:
        OnSetupStart(page);
        return TRUE;
    case WM_SETUP_PROGRESS:
        OnSetupProgress();
        return TRUE;
    case WM_SETUP_DONE:
        OnSetupDone(page);
        return TRUE;
    case WM_SETUP_FAILED:
        OnSetupFailed(page);
        return TRUE;
    }
    return FALSE;
}

DWORD WINAPI InstallThread(LPVOID parameter)
{
    (void)parameter;
    int finished = RunInstall(setupState.progressDialog);
    PostMessageA(setupState.progressDialog, finished ? WM_SETUP_DONE : WM_SETUP_FAILED, 0, 0);
    return 1;
}
