// driver.exe SHOTDIR PROGRAM: starts the setup program PROGRAM and walks its
// wizard as a user who accepts every default would, saving a screenshot of
// each page as SHOTDIR\<page>.bmp. Exit status: the program's, or 1 when a
// page did not come.
#include <cstdio>
#include <string>

#include "drive.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: driver SHOTDIR PROGRAM\n");
        return 2;
    }
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi;
    std::string command = argv[2];
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 1;
    static const struct { const char* caption; int control; const char* shot; } pages[] = {
        {"Welcome to Velorin!", 201, "welcome"}, {"Velorin Installation", 203, "intro"},
        {"Velorin Installation", 101, "directory"}, {"Velorin Installation", 104, "progress"}};
    for (const auto& p : pages) {
        HWND page = WaitPage(pi.dwProcessId, p.caption, p.control);
        std::string shot = std::string(argv[1]) + "\\" + p.shot + ".bmp";
        if (!page || !SaveWindowBmp(page, shot.c_str())) {
            fprintf(stderr, "driver: no %s page\n", p.shot);
            TerminateProcess(pi.hProcess, 1);
            return 1;
        }
        printf("page %s: %s\n", p.shot, shot.c_str());
        if (p.control != 104)
            Press(page, 201);
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    return (int)code;
}
