// The entry and the page sequence of the wizard.
#include "setup.h"
#include <commctrl.h>
#include "setup_logic.h"
#include "setup_state.h"
#include "../res/resource.h"

// How long the process waits, after a confirmed cancel, for the worker to
// reach its next cancel test and close its files.
static const DWORD WORKER_STOP_WAIT_MS = 10000;

static void ReadProgressTotal(void)
{
    char text[64];
    text[0] = '\0';
    LoadStringA(setupState.appInstance, IDS_TOTAL_BYTES, text, 63);
    setupState.totalBytes = (DWORD)ParseSignedDecimal(text);
    setupState.bytesPerPercent = BytesPerPercentOf(setupState.totalBytes);
}

static void ReadSourceDirectory(void)
{
    DWORD length =
        GetModuleFileNameA(setupState.appInstance, setupState.sourceDir, SETUP_PATH_SIZE);
    if (length >= SETUP_PATH_SIZE)
        setupState.sourceDir[0] = '\0';   // never install from a cut path
    TakeSourceDirectory(setupState.sourceDir);
}

static INT_PTR ShowPage(int templateId, DLGPROC procedure)
{
    return DialogBoxParamA(setupState.appInstance, MAKEINTRESOURCEA(templateId), NULL, procedure,
                           0);
}

static void RunPageSequence(void)
{
    if (ShowPage(IDD_WELCOME_PAGE, WelcomePageProc) != IDC_NEXT)
        return;
    for (;;) {
        if (ShowPage(IDD_INTRO_PAGE, IntroPageProc) != IDC_NEXT)
            return;
        INT_PTR result = ShowPage(IDD_DIRECTORY_PAGE, DirectoryPageProc);
        if (result == IDC_BACK)
            continue;
        if (result == IDC_NEXT)
            ShowPage(IDD_PROGRESS_PAGE, ProgressPageProc);
        return;
    }
}

int WINAPI SetupMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    (void)previous;
    (void)commandLine;
    (void)showCommand;
    setupState.appInstance = instance;
    InitCommonControls();
    ReadProgressTotal();
    ReadSourceDirectory();
    RunPageSequence();
    if (setupState.workerThread && setupState.cancelRequested)
        WaitForSingleObject(setupState.workerThread, WORKER_STOP_WAIT_MS);
    return 0;
}

// The process entry: setup.exe links no C runtime, so nothing else runs first.
extern "C" void WINAPI SetupEntry(void)
{
    ExitProcess((UINT)SetupMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWDEFAULT));
}
