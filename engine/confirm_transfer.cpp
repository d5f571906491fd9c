#include "confirm_transfer.h"
#include "setup_state.h"
#include "transfer.h"

int ConfirmTransfer(HWND owner, int result)
{
    // Once the user has given up, nothing more is asked: a prompt now would
    // wait, ownerless once the page has gone, until the process ends.
    if (setupState.cancelRequested)
        return 1;
    // wsprintfA writes at most 1024 bytes; the longest text, the file list
    // with a full-length sourceDir, needs under 400.
    char text[1024];
    switch (result) {
    case TRANSFER_NO_TARGET:
        wsprintfA(text, "Can't write file %s (may be in use).", setupState.failedPath);
        break;
    case TRANSFER_NO_SOURCE:
        if (setupState.floppyInstall == 1)
            wsprintfA(text, "Please ensure that Velorin Disk #%d is in drive %s.",
                      (int)setupState.diskNumber, setupState.sourceDir);
        else
            wsprintfA(text,
                      "Please ensure the following Velorin files are located in %s:"
                      "\r\n\r\ncorvex.z\r\nnetscape.z\r\nreadme.txt\r\nsetup.exe",
                      setupState.sourceDir);
        break;
    case TRANSFER_FATAL:
        MessageBoxA(owner, "A fatal error occurred (might be out of memory).",
                    SETUP_CAPTION, MB_OK | MB_ICONWARNING);
        setupState.cancelRequested = 1;
        return 1;
    default:
        return 1;
    }
    // Only an explicit Retry repeats the file: a box that could not be shown
    // must not turn into an endless, silent retry loop. A Cancel confirmed on
    // the progress page while the box was up outweighs a later Retry, which
    // would otherwise create the target afresh after the user gave up.
    int answer = MessageBoxA(owner, text, SETUP_CAPTION, MB_RETRYCANCEL | MB_ICONWARNING);
    if (answer == IDRETRY && !setupState.cancelRequested)
        return 0;
    setupState.cancelRequested = 1;
    return 1;
}
