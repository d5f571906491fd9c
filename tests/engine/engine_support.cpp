#include "engine_alloc.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"

static uint32_t hookedSize;
static int hookedAction;

// EngineAlloc and EngineFree replace the engine's own at link time.
void* EngineAlloc(DWORD size)
{
    if (size == hookedSize && hookedAction == ALLOC_FAIL)
        return NULL;
    setupState.cancelRequested |= size == hookedSize;
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void EngineFree(void* block) { HeapFree(GetProcessHeap(), 0, block); }
void OnAllocation(uint32_t size, int action) { hookedSize = size, hookedAction = action; }

void PrepareSetupState(const std::string& sourceDir, const std::string& installDir)
{
    // Message-only: a DDE connect waits on every top-level window that does not pump.
    static HWND page = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, 0, 0, 0);
    static HWND status = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, 0, 0, 0);
    ZeroMemory(&setupState, sizeof setupState);  // the counters at 0, 15000 bytes a percent
    lstrcpynA(setupState.sourceDir, sourceDir.c_str(), SETUP_PATH_SIZE);
    lstrcpynA(setupState.installDir, installDir.c_str(), SETUP_PATH_SIZE);
    setupState.bytesPerPercent = 15000;
    setupState.progressDialog = page;
    setupState.statusText = status;
    SetWindowTextA(status, "Installing Velorin...");
    TakeProgressPosts();
    OnAllocation(0, ALLOC_FAIL);
}

std::string Prompt(const std::string& text)
{
    return "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel " + Quote(text);
}

int TakeProgressPosts()
{
    MSG msg;
    int n = 0;
    for (; PeekMessageA(&msg, setupState.progressDialog, WM_SETUP_PROGRESS, WM_SETUP_PROGRESS, PM_REMOVE); ++n) {}
    return n;
}
