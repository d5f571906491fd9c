// show.exe SHOTDIR PROGRAM: runs the setup program PROGRAM as a user who
// takes every default would, saving each page of the wizard and then the
// window of the registration program that setup starts at the end as
// SHOTDIR/<name>.png (SHOTDIR is a path of the host), and prints how setup
// started the registration program. Exit status: 0, or 1 when a window did
// not come.
#include <windows.h>

#include <stdio.h>

#include "../../res/resource.h"
#include "drive.h"

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
    // Setup's pages, each known by a control of its own; then the
    // registration program's window (control 0: any), in a process of its own.
    static const struct {
        const char* caption;
        int control;
        bool next;
        const char* name;
    } steps[] = {
        {"Welcome to Velorin!", IDC_NEXT, true, "welcome"},
        {"Velorin Installation", IDC_CANCEL_SETUP, true, "intro"},
        {"Velorin Installation", IDC_DIRECTORY, true, "directory"},
        {"Velorin Installation", IDC_PROGRESS, false, "progress"},  // ends by itself
        {"Velorin Registration (demonstration)", 0, false, "registration"}};
    for (const auto& step : steps) {
        HWND w = WaitPage(step.control ? pi.dwProcessId : 0, step.caption, step.control, 120000);
        if (!w) {
            fprintf(stderr, "show: no %s window\n", step.name);
            return 1;
        }
        if (!step.control) {
            // The shell opens a window on the new group, at the same place:
            // closed, so that the registration program can be seen.
            HWND group = WaitPage(0, "Velorin", 0, 3000);
            if (group)
                PostMessageA(group, WM_CLOSE, 0, 0);
            // The first line of its text field (1): how setup started it.
            std::string text = Text(w, 1);
            printf("%s\n", text.substr(0, text.find('\r')).c_str());
        }
        // The progress page does not stay long.
        if (!Screenshot(w, argv[1], step.name, step.control == IDC_PROGRESS ? 100 : 500))
            fprintf(stderr, "show: no screenshot of the %s window\n", step.name);
        if (step.next)
            Press(w, IDC_NEXT);
    }
    WaitForSingleObject(pi.hProcess, 60000);
    return 0;
}
