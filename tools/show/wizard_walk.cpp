#include "wizard_walk.h"

namespace {

struct Wanted {
    const char* caption;
    int control;
    HWND found;
};

BOOL CALLBACK Match(HWND w, LPARAM lp)
{
    Wanted* wanted = (Wanted*)lp;
    char caption[128];
    if (IsWindowVisible(w) && GetWindowTextA(w, caption, sizeof caption) &&
        lstrcmpA(caption, wanted->caption) == 0 && (!wanted->control || GetDlgItem(w, wanted->control)))
        wanted->found = w;
    return wanted->found == NULL;
}

}  // namespace

HWND WaitWindow(const char* caption, int control, DWORD ms, DWORD pollMs)
{
    Wanted wanted = {caption, control, NULL};
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(pollMs)) {
        EnumWindows(Match, (LPARAM)&wanted);
        if (wanted.found)
            return wanted.found;
    }
    return NULL;
}

void ClickNext(HWND page)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(201, BN_CLICKED), (LPARAM)GetDlgItem(page, 201));
}
