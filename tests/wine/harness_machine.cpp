// Resetting the machine state that setup and its tests touch.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "file_ops.h"
#include "harness.h"
#include "target_windows.h"

namespace {

struct GroupWindows {
    std::vector<HWND> found;
};

// Wine's explorer opens a folder window for every group PROGMAN creates.
BOOL CALLBACK CollectGroupWindow(HWND w, LPARAM lp)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() || WindowClass(w) == "#32770")
        return TRUE;
    char caption[64];
    if (GetWindowTextA(w, caption, sizeof caption) && lstrcmpA(caption, "Velorin") == 0)
        ((GroupWindows*)lp)->found.push_back(w);
    return TRUE;
}

void CloseGroupWindows()
{
    GroupWindows g;
    EnumWindows(CollectGroupWindow, (LPARAM)&g);
    for (HWND w : g.found)
        PostMessageA(w, WM_CLOSE, 0, 0);
    for (HWND w : g.found)
        for (int i = 0; i < 200 && IsWindow(w); i++)
            Sleep(10);
}

}  // namespace


void ResetMachine()
{
    CloseGroupWindows();
    WriteProfileStringA("Orvanta Network Velorin", NULL, NULL);
    WriteProfileStringA(NULL, NULL, NULL);  // flush the cached WIN.INI
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork");
    char programs[MAX_PATH];
    if (SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs) == S_OK)
        DeletePath(std::string(programs) + "\\Velorin");
    ClearReadOnly("c:\\orvanet");
    DeletePath("c:\\orvanet");
    DeletePath(CorvexLogPath());
}
