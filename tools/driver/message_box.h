// Reading and answering message boxes, as the driver's `box` and `answer`
// commands and the test harness's box answerer do.
#pragma once
#include <windows.h>

#include <string>

struct BoxReading {
    std::string caption;
    std::string text;
    std::string icon;     // error, warning, question, information, none (unknown if unreadable)
    std::string buttons;  // visible button texts left to right, '&' removed, joined by '|'
};

// Reads box; waits up to iconWaitMs for its icon to show on the screen.
void ReadMessageBox(HWND box, DWORD iconWaitMs, BoxReading* out);

// `box "CAPTION" icon=ICON buttons=BUTTONS "TEXT"`
std::string BoxLine(const BoxReading& b);

// Clicks button id of box and waits up to waitMs for the box to go.
// 1 when it went; 0 when there is no such button or it stayed.
int AnswerMessageBox(HWND box, int id, DWORD waitMs);
