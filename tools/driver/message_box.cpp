#include "message_box.h"

#include <algorithm>
#include <vector>

#include "scenario.h"
#include "screen.h"
#include "target_windows.h"

namespace {

struct Button {
    int left;
    std::string text;
};

BOOL CALLBACK CollectButton(HWND w, LPARAM lp)
{
    if (!IsWindowVisible(w) || lstrcmpiA(WindowClass(w).c_str(), "Button") != 0)
        return TRUE;
    RECT r;
    GetWindowRect(w, &r);
    std::string raw = WindowText(w), text;
    // "&&" stands for a literal ampersand; a single '&' only marks the mnemonic.
    for (size_t i = 0; i < raw.size(); i++) {
        if (raw[i] == '&') {
            if (i + 1 < raw.size() && raw[i + 1] == '&')
                text += '&', i++;
            continue;
        }
        text += raw[i];
    }
    ((std::vector<Button>*)lp)->push_back(Button{r.left, text});
    return TRUE;
}

}  // namespace

void ReadMessageBox(HWND box, DWORD iconWaitMs, BoxReading* out)
{
    out->caption = WindowText(box);
    HWND text = GetDlgItem(box, 0xFFFF);
    out->text = text ? WindowText(text) : std::string();
    std::vector<Button> buttons;
    EnumChildWindows(box, CollectButton, (LPARAM)&buttons);
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const Button& a, const Button& b) { return a.left < b.left; });
    out->buttons.clear();
    for (size_t i = 0; i < buttons.size(); i++)
        out->buttons += (i ? "|" : "") + buttons[i].text;
    out->icon = MessageBoxIconKind(box, iconWaitMs);
}

std::string BoxLine(const BoxReading& b)
{
    return "box " + QuoteText(b.caption) + " icon=" + b.icon + " buttons=" + b.buttons + " " +
           QuoteText(b.text);
}

int AnswerMessageBox(HWND box, int id, DWORD waitMs)
{
    HWND button = GetDlgItem(box, id);
    if (!button || !IsWindowVisible(button))
        return 0;
    if (!PostButtonClick(box, id))
        return 0;
    DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (GetTickCount() - start >= waitMs)
            return 0;
        Sleep(10);
    }
    return 1;
}
