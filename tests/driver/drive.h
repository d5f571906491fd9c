// Driving the windows of running Win32 programs, the caller's own too, as a user would: pages
// by caption and control, buttons, message boxes, the progress bar. A pid of 0 stands for any
// process (the registration program that setup starts, the shell's group window).
#pragma once
#include <windows.h>

#include <string>

// The first visible top-level window of pid that is not a message box, with
// exactly this caption and a control `id` (0: any); waits up to ms, NULL if none came.
HWND WaitPage(DWORD pid, const char* caption, int id, DWORD ms = 30000);
// The first visible message box of pid, waiting up to ms; NULL if none came.
HWND WaitBox(DWORD pid, DWORD ms = 30000);

struct BoxReading {
    std::string caption, text;
    std::string icon;     // error, warning, question, information, none, unknown
    std::string buttons;  // visible buttons left to right, '&' removed, joined by '|'
};
BoxReading ReadBox(HWND box);
// `box "CAPTION" icon=ICON buttons=A|B "TEXT"`, strings escaped as by Quote.
std::string BoxLine(const BoxReading& box);
// s in double quotes, with \r \n \" and \\ escaped.
std::string Quote(const std::string& s);

// Text of control id (0: of dialog itself), read with WM_GETTEXT, which answers across processes.
std::string Text(HWND dialog, int id = 0);
// Replaces the text of control id.
void SetText(HWND dialog, int id, const std::string& text);
// Id of the control that has the keyboard focus in w's thread; 0 if none.
int FocusId(HWND w);
// Posts a click of button id and waits up to a second for its effect (w hides,
// goes, is disabled, or a box opens), so a later wait cannot catch w itself.
void Press(HWND w, int id);
// Clicks button id of box; true once the box has gone.
bool Answer(HWND box, int id);
// Sends Escape to the focused control, then the close box; true when w is still open after both.
bool IgnoresEscapeAndClose(HWND w);
// Position of the page's progress bar (IDC_PROGRESS); -1 if unreadable.
int Progress(HWND page);
// How often the waits here look again: 20 ms unless set; a timing tool sets 1 ms.
void SetPollInterval(DWORD ms);
