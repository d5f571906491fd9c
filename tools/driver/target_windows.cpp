#include "target_windows.h"

namespace {

struct TopSearch {
    DWORD pid;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectTop(HWND w, LPARAM lp)
{
    TopSearch* s = (TopSearch*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid && IsWindowVisible(w))
        s->found->push_back(w);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleTopWindows(DWORD pid)
{
    std::vector<HWND> found;
    TopSearch s = {pid, &found};
    EnumWindows(CollectTop, (LPARAM)&s);
    return found;
}

std::string WindowText(HWND w)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len))
        return std::string();
    std::string buf(len + 2, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), (LPARAM)&buf[0], SMTO_NORMAL, 5000, &got))
        return std::string();
    buf.resize(got < buf.size() ? got : buf.size());
    return buf;
}

std::string WindowClass(HWND w)
{
    char name[256];
    int n = GetClassNameA(w, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

HWND MessageBoxIconControl(HWND box)
{
    static const int kIconIds[] = {0x440, 0x14};
    for (int id : kIconIds) {
        HWND icon = GetDlgItem(box, id);
        if (icon && lstrcmpiA(WindowClass(icon).c_str(), "Static") == 0 &&
            (GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return icon;
    }
    return NULL;
}

int IsMessageBox(HWND w)
{
    if (WindowClass(w) != "#32770")
        return 0;
    HWND text = GetDlgItem(w, 0xFFFF);
    if (!text || lstrcmpiA(WindowClass(text).c_str(), "Static") != 0)
        return 0;
    return MessageBoxIconControl(w) != NULL;
}

HWND FindMessageBox(DWORD pid)
{
    for (HWND w : VisibleTopWindows(pid))
        if (IsMessageBox(w))
            return w;
    return NULL;
}

HWND FindPage(DWORD pid, const std::string& caption, long id, HWND skip)
{
    for (HWND w : VisibleTopWindows(pid)) {
        if (w == skip || IsMessageBox(w))
            continue;
        if (WindowText(w) != caption)
            continue;
        if (id >= 0 && !GetDlgItem(w, (int)id))
            continue;
        return w;
    }
    return NULL;
}

int PostButtonClick(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button) ? 1 : 0;
}
