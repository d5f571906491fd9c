// Stand-in for the registration program in tests: it appends "<command line>|show=<n>" and CR LF to
// C:\corvex-log.txt and exits 0, so a test can prove exactly how setup started it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    STARTUPINFOA si;
    GetStartupInfoA(&si);
    char show[32] = "|show=default\r\n";
    if (si.dwFlags & STARTF_USESHOWWINDOW)
        wsprintfA(show, "|show=%u\r\n", (unsigned)si.wShowWindow);
    HANDLE log = CreateFileA("C:\\corvex-log.txt", FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, 0, NULL);
    DWORD written;
    const char* command = GetCommandLineA();
    return !(WriteFile(log, command, lstrlenA(command), &written, NULL) &&
             WriteFile(log, show, lstrlenA(show), &written, NULL) && CloseHandle(log));
}
