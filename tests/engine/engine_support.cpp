#include "engine_support.h"

#include "engine_alloc.h"
#include "setup_state.h"

static DWORD failingSize;
static int failures;

// Replaces the engine's own allocation file at link time.
void* EngineAlloc(DWORD size)
{
    if (size == failingSize) {
        ++failures;
        return NULL;
    }
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void EngineFree(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

void FailAllocationsOfSize(DWORD size)
{
    failingSize = size;
    failures = 0;
}

int FailedAllocations() { return failures; }

void PrepareSetupState(const std::string& sourceDir, const std::string& installDir)
{
    static HWND page, status;
    if (!page) {
        page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        status = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, page, NULL, NULL, NULL);
    }
    ZeroMemory(&setupState, sizeof setupState);
    lstrcpynA(setupState.sourceDir, sourceDir.c_str(), SETUP_PATH_SIZE);
    lstrcpynA(setupState.installDir, installDir.c_str(), SETUP_PATH_SIZE);
    setupState.totalBytes = 1500000;
    setupState.bytesPerPercent = 15000;
    setupState.progressDialog = page;
    setupState.statusText = status;
    SetWindowTextA(status, "Installing Velorin...");
    TakeProgressPosts();
    FailAllocationsOfSize(0);
}

int TakeProgressPosts()
{
    MSG msg;
    int n = 0;
    while (PeekMessageA(&msg, setupState.progressDialog, WM_SETUP_PROGRESS, WM_SETUP_PROGRESS,
                        PM_REMOVE))
        ++n;
    return n;
}

std::string StatusText()
{
    char text[256] = "";
    GetWindowTextA(setupState.statusText, text, sizeof text);
    return text;
}
