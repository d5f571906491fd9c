// show.exe SHOTDIR PROGRAM: runs the setup program PROGRAM as a user who
// takes every default would, saving each page of the wizard and then the
// window of the registration program that setup starts at the end as
// SHOTDIR/<name>.png (SHOTDIR is a path of the host), and prints how setup
// started the registration program. Exit status: 0, or 1 when a window did
// not come.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "wizard_walk.h"

namespace {

// Cuts w's rectangle out of the X server's picture of the screen with
// ImageMagick's import, as SHOTDIR/<name>.png. Reading another program's
// window back through GDI gives a blank picture here now and then. Wine starts
// a host program without a handle to wait on: the command removes a marker.
int Screenshot(HWND w, const char* shotDir, const char* name, DWORD settleMs)
{
    Sleep(settleMs);  // a window that has just appeared may not have painted yet
    RECT r;
    GetWindowRect(w, &r);
    char marker[MAX_PATH], command[2 * MAX_PATH + 200];
    wsprintfA(marker, "Z:%s/%s.pending", shotDir, name);
    for (char* c = marker; *c; ++c)
        *c = *c == '/' ? '\\' : *c;
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);
    wsprintfA(command, "Z:\\bin\\sh -c \"import -window root -crop %dx%d+%d+%d '%s/%s.png'; rm '%s/%s.pending'\"",
              (int)(r.right - r.left), (int)(r.bottom - r.top), (int)r.left, (int)r.top, shotDir, name,
              shotDir, name);
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        return 0;
    for (int i = 0; i < 300 && GetFileAttributesA(marker) != INVALID_FILE_ATTRIBUTES; i++)
        Sleep(50);
    return GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: show SHOTDIR PROGRAM\n");
        return 2;
    }
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, argv[2], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 1;
    static const struct { const char* caption; int control; const char* name; } steps[] = {
        {"Welcome to Velorin!", 201, "welcome"},
        {"Velorin Installation", 203, "intro"},
        {"Velorin Installation", 101, "directory"},
        {"Velorin Installation", 104, "progress"},
        {"Velorin Registration (demonstration)", 0, "registration"}};
    for (const auto& step : steps) {
        HWND w = WaitWindow(step.caption, step.control, 120000);
        if (!w) {
            fprintf(stderr, "show: no %s window\n", step.name);
            return 1;
        }
        if (!step.control) {
            // The shell opens a window on the new group, at the same place:
            // closed, so that the registration program can be seen.
            HWND group = WaitWindow("Velorin", 0, 3000);
            if (group)
                PostMessageA(group, WM_CLOSE, 0, 0);
            // The registration program's first line: how setup started it.
            char text[1024] = "";
            SendMessageA(GetDlgItem(w, 1), WM_GETTEXT, sizeof text, (LPARAM)text);
            *(strchr(text, '\r') ? strchr(text, '\r') : text + lstrlenA(text)) = 0;
            printf("%s\n", text);
        }
        // The progress page does not stay long.
        if (!Screenshot(w, argv[1], step.name, step.control == 104 ? 100 : 500))
            fprintf(stderr, "show: no screenshot of the %s window\n", step.name);
        // Next on the first three pages; the progress page ends by itself.
        if (step.control == 201 || step.control == 203 || step.control == 101) {
            ClickNext(w);
            for (int i = 0; i < 100 && IsWindowVisible(w); i++)
                Sleep(50);
        }
    }
    WaitForSingleObject(pi.hProcess, 60000);
    return 0;
}
