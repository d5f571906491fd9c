// Stand-in for the registration program. It opens no window: it appends
// "<command line>|show=<n or default>" and CRLF to the file named by
// VELORIN_CORVEX_LOG (default C:\corvex-log.txt) and exits 0, so a test can
// prove exactly how setup started it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char logPath[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("VELORIN_CORVEX_LOG", logPath, sizeof logPath);
    if (n == 0 || n >= sizeof logPath)
        lstrcpynA(logPath, "C:\\corvex-log.txt", sizeof logPath);

    // The command line can be longer than MAX_PATH; size the line for it.
    const char* cmd = GetCommandLineA();
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    char show[16];
    if (si.dwFlags & STARTF_USESHOWWINDOW)
        wsprintfA(show, "%u", (unsigned)si.wShowWindow);
    else
        lstrcpynA(show, "default", sizeof show);

    int len = lstrlenA(cmd) + lstrlenA(show) + 16;
    char* line = (char*)HeapAlloc(GetProcessHeap(), 0, len);
    if (!line)
        return 1;
    // Joined by hand: wsprintfA stops at 1024 characters.
    lstrcpyA(line, cmd);
    lstrcatA(line, "|show=");
    lstrcatA(line, show);
    lstrcatA(line, "\r\n");
    int used = lstrlenA(line);

    // Several starts append in order; retry briefly if a reader holds the file.
    HANDLE f = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 50 && f == INVALID_HANDLE_VALUE; i++) {
        f = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, NULL,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    if (f == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(f, line, (DWORD)used, &written, NULL);
    CloseHandle(f);
    return ok && written == (DWORD)used ? 0 : 1;
}
