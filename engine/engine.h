// The installation engine: the ordered install sequence, the retry prompts
// that every transfer goes through, the plain file copy, the archive
// extraction and the progress accounting. Everything here runs on the worker.
#ifndef VELORIN_ENGINE_ENGINE_H
#define VELORIN_ENGINE_ENGINE_H

#include <windows.h>
#include "transfer.h"

// Runs the whole installation with owner as the owner of every message box.
// Returns non-zero when it ran to its end, 0 when cancelRequested stopped it.
int RunInstall(HWND owner);

#endif
