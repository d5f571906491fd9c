// Reading pixels from the screen: screenshots and message box icons.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Copies the screen rectangle r into px as 0x00RRGGBB values, top row first.
// 1 on success.
int CaptureScreen(const RECT& r, std::vector<uint32_t>* px);

// Saves window w as it shows on the screen as a 24-bit BMP file. 1 on success.
int SaveWindowBmp(HWND w, const std::string& path);

// Which stock icon a message box shows: "error", "warning", "question",
// "information", "none" (icon hidden), or "unknown" when the pixels match no
// stock icon within waitMs (the box may not have painted yet, so this retries).
std::string MessageBoxIconKind(HWND box, DWORD waitMs);
