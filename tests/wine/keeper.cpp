// Waits for ever, attached to the desktop: while it runs, Wine keeps the
// desktop and its explorer (the PROGMAN DDE server) alive between the test
// processes. The wine fixture starts it and ends it with the wineserver.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
