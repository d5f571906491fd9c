#include "progress.h"
#include "progress_step.h"
#include "setup_state.h"

void AddProgress(DWORD n)
{
    uint32_t done = setupState.bytesDone;
    uint32_t next = setupState.nextPercent;
    int tell = ProgressStep(&done, &next, setupState.bytesPerPercent, n);
    setupState.bytesDone = done;
    // The page reads nextPercent when it handles the message, so the value
    // must be in place before the message can be taken from the queue.
    setupState.nextPercent = next;
    if (tell)
        PostMessageA(setupState.progressDialog, WM_SETUP_PROGRESS, 0, 0);
}
