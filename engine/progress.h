// Progress accounting shared by the plain copy and the archive reader: one
// run of counters for the whole installation, reported to the progress page.
#ifndef VELORIN_ENGINE_PROGRESS_H
#define VELORIN_ENGINE_PROGRESS_H

#include <windows.h>

// Counts n bytes into setupState.bytesDone. When the bar position grows,
// stores the new setupState.nextPercent first and then posts one
// WM_SETUP_PROGRESS to setupState.progressDialog; at most one post a call.
void AddProgress(DWORD n);

#endif
