// show.exe SHOTDIR PROGRAM: runs the setup program PROGRAM as a user who takes every default
// would, saving each page of the wizard and then the window of the registration program that setup
// starts at the end as SHOTDIR/<name>.png (SHOTDIR is a path of the host), and prints how setup
// started the registration program. Exit status: 0, or 1 when a window did not come.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "../../res/resource.h"
#include "drive.h"

namespace {

STARTUPINFOA plain = {sizeof plain};  // each program here starts as it would by itself
PROCESS_INFORMATION setup;
HANDLE volatile worker;  // setup's one thread besides its first, the progress page's, held

// Cuts w's rectangle out of the X server's picture of the screen with ImageMagick's import, as
// SHOTDIR/<name>.png. Reading another program's window back through GDI gives a blank picture here
// now and then. Wine starts a host program without a handle to wait on: the picture is written
// under another name and renamed once whole.
void Screenshot(HWND w, const char* shotDir, const char* name)
{
    Sleep(500);  // a window that has just appeared may not have painted yet
    RECT r;
    GetWindowRect(w, &r);
    char png[MAX_PATH], command[2 * MAX_PATH + 200];
    wsprintfA(png, "Z:%s/%s.png", shotDir, name);
    DeleteFileA(png);
    wsprintfA(command, "Z:\\bin\\sh -c \"import -window root -crop %ldx%ld+%ld+%ld 'png:%s.part'"
              " && mv '%s.part' '%s'\"", r.right - r.left, r.bottom - r.top, r.left, r.top,
              png + 2, png + 2, png + 2);
    PROCESS_INFORMATION pi;
    if (CreateProcessA(NULL, command, NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &plain, &pi))
        for (int i = 0; i < 300 && GetFileAttributesA(png) == INVALID_FILE_ATTRIBUTES; i++)
            Sleep(50);
    if (GetFileAttributesA(png) == INVALID_FILE_ATTRIBUTES)
        fprintf(stderr, "show: no screenshot of the %s window\n", name);
}

// Setup's pages, each known by a control of its own; then the registration program's window
// (control 0: any), in a process of its own. Ends the program.
DWORD WINAPI Walk(LPVOID shotDir)
{
    static const struct { const char *caption, *name; int control; } steps[] = {
        {"Welcome to Velorin!", "welcome", IDC_NEXT},
        {"Velorin Installation", "intro", IDC_CANCEL_SETUP},
        {"Velorin Installation", "directory", IDC_DIRECTORY},
        {"Velorin Installation", "progress", IDC_PROGRESS},  // ends by itself
        {"Velorin Registration (demonstration)", "registration", 0}};
    for (const auto& step : steps) {
        HWND w = WaitPage(step.control ? setup.dwProcessId : 0, step.caption, step.control, 120000);
        if (!w) {
            fprintf(stderr, "show: no %s window\n", step.name);
            exit(1);
        }
        if (!step.control) {
            // The shell opens a window on the new group, at the same place: closed, so that the
            // registration program can be seen.
            if (HWND group = WaitPage(0, "Velorin", 0, 3000))
                PostMessageA(group, WM_CLOSE, 0, 0);
            // The first line of its text field (1): how setup started it.
            std::string text = Text(w, 1);
            printf("%s\n", text.substr(0, text.find('\r')).c_str());
        }
        // The held worker copies in short spans until the bar is a third of the way.
        bool progress = step.control == IDC_PROGRESS;
        for (DWORD t = GetTickCount(); progress && Progress(w) < 33 && GetTickCount() - t < 60000;)
            ResumeThread(worker), SuspendThread(worker);
        Screenshot(w, (const char*)shotDir, step.name);
        if (progress)
            ResumeThread(worker);
        else if (step.control)
            Press(w, IDC_NEXT);
    }
    WaitForSingleObject(setup.hProcess, 60000);
    exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: show SHOTDIR PROGRAM\n");
        return 2;
    }
    if (!CreateProcessA(NULL, argv[2], NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS, NULL, NULL,
                        &plain, &setup))
        return 1;
    // A debugger stops the whole of setup at each of its debug events, so the one thread setup
    // starts is caught before its first instruction and held: the walk, not the pace of the
    // machine, decides how far the copy has got when the progress page is photographed. Setup's
    // own exceptions go back to it; the breakpoint a debugged process starts with is ours.
    HANDLE walk = CreateThread(NULL, 0, Walk, argv[1], 0, NULL);
    for (DEBUG_EVENT e; WaitForDebugEvent(&e, INFINITE);) {
        if (e.dwDebugEventCode == CREATE_THREAD_DEBUG_EVENT)  // held before the walk can see it
            SuspendThread(e.u.CreateThread.hThread), worker = e.u.CreateThread.hThread;
        bool pass = e.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                    e.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT;
        ContinueDebugEvent(e.dwProcessId, e.dwThreadId,
                           pass ? DBG_EXCEPTION_NOT_HANDLED : DBG_CONTINUE);
    }
    WaitForSingleObject(walk, INFINITE);  // which ends the program
}
