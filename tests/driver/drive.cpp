#include "drive.h"
#include "../../res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

DWORD pollMs = 20;

bool WaitFor(DWORD ms, const std::function<bool()>& done) {
    for (DWORD start = GetTickCount(); !done(); Sleep(pollMs))
        if (GetTickCount() - start >= ms) return false;
    return true;
}

// Sends with a time limit, so that a window whose program hangs fails the test instead of holding
// it; false when unanswered (or w is NULL).
bool Ask(HWND w, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result = NULL) {
    return w && SendMessageTimeoutA(w, message, wp, lp, SMTO_NORMAL, 5000, result);
}

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

// Message boxes are #32770 dialogs with the 0xFFFF text static and an icon
// static (id 0x440 on Wine, 0x14 on Windows); wizard pages have no icon.
HWND IconControl(HWND box) {
    for (int id : { 0x440, 0x14 }) {
        HWND icon = GetDlgItem(box, id);
        if (icon && (GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return icon;
    }
    return NULL;
}

bool IsBox(HWND w) { return ClassOf(w) == "#32770" && GetDlgItem(w, 0xFFFF) && IconControl(w); }

// The first visible top-level window of pid (0: any) that wanted takes; looks for ms (0: once).
HWND FindTop(DWORD pid, const std::function<bool(HWND)>& wanted, DWORD ms = 0) {
    HWND found = NULL;
    WaitFor(ms, [&] {
        for (found = GetTopWindow(NULL); found; found = GetWindow(found, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if ((!pid || owner == pid) && IsWindowVisible(found) && wanted(found)) return true;
        }
        return false;
    });
    return found;
}

// The pixels of rc (0x00RRGGBB, top row first) on a bitmap like the screen's: icon drawn on the
// colour bg, or without one what the screen shows at `at`.
std::vector<uint32_t> Pixels(HDC screen, const RECT& rc, POINT at, HICON icon, COLORREF bg) {
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    if (icon) {
        SetDCBrushColor(mem, bg);
        FillRect(mem, &rc, (HBRUSH)GetStockObject(DC_BRUSH));
        DrawIconEx(mem, 0, 0, icon, rc.right, rc.bottom, 0, NULL, DI_NORMAL);
    } else
        BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, at.x, at.y, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi = {};
    bi.bmiHeader = { sizeof bi.bmiHeader, rc.right, -rc.bottom, 1, 32, BI_RGB };
    std::vector<uint32_t> px((size_t)rc.right * rc.bottom);
    GetDIBits(mem, bmp, 0, rc.bottom, px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return px;
}

// Icon handles mean nothing in another process, so the stock icons are drawn
// here on the box's background and compared with what the screen shows.
std::string IconKind(HWND box) {
    HWND icon = IconControl(box);
    DWORD_PTR handle = 0;
    if (!IsWindowVisible(icon) || !Ask(icon, STM_GETICON, 0, 0, &handle) || !handle) return "none";
    static const std::pair<LPCSTR, const char*> stock[] = { { IDI_HAND, "error" },
        { IDI_EXCLAMATION, "warning" }, { IDI_QUESTION, "question" },
        { IDI_ASTERISK, "information" } };
    RECT rc;
    GetClientRect(icon, &rc);
    POINT at = { 0, 0 };
    ClientToScreen(icon, &at);
    HDC screen = GetDC(NULL);
    std::string kind = "unknown";
    // The box may not have painted yet.
    WaitFor(3000, [&] {
        SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        std::vector<uint32_t> shown = Pixels(screen, rc, at, NULL, 0);
        COLORREF bg = GetPixel(screen, at.x - 1, at.y);
        for (const auto& [id, name] : stock)
            if (Pixels(screen, rc, at, LoadIconA(NULL, id), bg) == shown) kind = name;
        return kind != "unknown";
    });
    ReleaseDC(NULL, screen);
    return kind;
}

}  // namespace

HWND WaitPage(DWORD pid, const char* caption, int id, DWORD ms) {
    return FindTop(
        pid, [&](HWND w) { return !IsBox(w) && Text(w) == caption && (!id || GetDlgItem(w, id)); },
        ms);
}

HWND WaitBox(DWORD pid, DWORD ms) { return FindTop(pid, IsBox, ms); }

BoxReading ReadBox(HWND box) {
    std::vector<std::pair<LONG, std::string>> buttons;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c) || lstrcmpiA(ClassOf(c).c_str(), "Button") != 0) continue;
        RECT r;
        GetWindowRect(c, &r);
        std::string text = Text(c);
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        buttons.push_back({ r.left, text });
    }
    std::sort(buttons.begin(), buttons.end());
    BoxReading b = { Text(box), Text(box, 0xFFFF), IconKind(box), "" };
    for (size_t i = 0; i < buttons.size(); i++) b.buttons += (i ? "|" : "") + buttons[i].second;
    return b;
}

std::string Quote(const std::string& s) {
    std::string q = "\"";
    for (char c : s)
        q += c == '\r'   ? "\\r"
             : c == '\n' ? "\\n"
             : c == '"'  ? "\\\""
             : c == '\\' ? "\\\\"
                         : std::string(1, c);
    return q + "\"";
}

std::string BoxLine(const BoxReading& b) {
    return "box " + Quote(b.caption) + " icon=" + b.icon + " buttons=" + b.buttons + " " +
           Quote(b.text);
}

std::string Text(HWND dialog, int id) {
    char text[1024] = "";
    DWORD_PTR got = 0;
    if (!Ask(id ? GetDlgItem(dialog, id) : dialog, WM_GETTEXT, sizeof text, (LPARAM)text, &got))
        return "";
    return std::string(text, got);
}

void SetText(HWND dialog, int id, const std::string& text) {
    Ask(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

int FocusId(HWND w) {
    GUITHREADINFO gi = { sizeof gi };
    GetGUIThreadInfo(GetWindowThreadProcessId(w, NULL), &gi);
    return gi.hwndFocus ? GetDlgCtrlID(gi.hwndFocus) : 0;
}

void Press(HWND w, int id) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HWND boxBefore = FindTop(pid, IsBox);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(w, id));
    WaitFor(1000, [&] {
        HWND box = FindTop(pid, IsBox);
        return !IsWindowVisible(w) || !IsWindowEnabled(w) || (box && box != boxBefore);
    });
}

bool Answer(HWND box, int id) {
    if (!IsWindowVisible(GetDlgItem(box, id))) return false;
    Press(box, id);
    return WaitFor(10000, [&] { return !IsWindowVisible(box); });
}

bool IgnoresEscapeAndClose(HWND w) {
    GUITHREADINFO gi = { sizeof gi };
    GetGUIThreadInfo(GetWindowThreadProcessId(w, NULL), &gi);
    HWND to = gi.hwndFocus ? gi.hwndFocus : w;
    PostMessageA(to, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(to, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(500);
    return IsWindowVisible(w) != 0;
}

int Progress(HWND page) {
    DWORD_PTR pos = 0;
    return Ask(GetDlgItem(page, IDC_PROGRESS), PBM_GETPOS, 0, 0, &pos) ? (int)pos : -1;
}

void SetPollInterval(DWORD ms) { pollMs = ms; }
