// The retry prompts: the one place where a failed transfer reaches the user.
#ifndef VELORIN_ENGINE_CONFIRM_TRANSFER_H
#define VELORIN_ENGINE_CONFIRM_TRANSFER_H

#include <windows.h>

// Reports a transfer result in a message box owned by owner. Returns 0 when
// the user asked to transfer the same file again (Retry), 1 to go on. Cancel,
// and any fatal result, set setupState.cancelRequested; a Retry while that
// flag is set counts as Cancel. TRANSFER_OK and TRANSFER_CANCELLED show
// nothing, and nothing is shown at all once cancelRequested is set.
int ConfirmTransfer(HWND owner, int result);

#endif
