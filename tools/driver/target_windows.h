// Finding and reading the windows of one process (the driven program, or the
// test process itself for in-process box answering).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Visible top-level windows of process pid, topmost first.
std::vector<HWND> VisibleTopWindows(DWORD pid);

// Window text through WM_GETTEXT (edit controls of other processes keep their
// text there, not in the caption); "" when the window does not answer in time.
std::string WindowText(HWND w);
std::string WindowClass(HWND w);

// 1 when w is a message box: a #32770 dialog with the 0xFFFF text static and
// an SS_ICON static (id 0x440 on Wine, 0x14 on Windows). Wizard pages have
// 0xFFFF statics too, but never an icon static.
int IsMessageBox(HWND w);

// The icon static of a message box, or NULL.
HWND MessageBoxIconControl(HWND box);

// First visible message box of pid, or NULL.
HWND FindMessageBox(DWORD pid);

// First visible non-box top-level window of pid whose caption is exactly
// caption and, when id >= 0, that has a child with that id; or NULL.
HWND FindPage(DWORD pid, const std::string& caption, long id, HWND skip);

// Presses a button by posting WM_COMMAND/BN_CLICKED from it to its dialog;
// posted, never sent, so a handler that opens a modal box cannot block us.
int PostButtonClick(HWND dialog, int id);
