#include "remove_directory_files.h"
#include "directory_guard.h"
#include "setup_state.h"
#include "system_text.h"

// A damaged WIN.INI ("Dialer=C:\") must not cost the user a drive's files.
static int MayBeEmptied(const char* dir)
{
    char windowsDir[SETUP_PATH_SIZE], systemDir[SETUP_PATH_SIZE];
    if (!GetWindowsDirectoryA(windowsDir, sizeof windowsDir))
        windowsDir[0] = 0;
    if (!GetSystemDirectoryA(systemDir, sizeof systemDir))
        systemDir[0] = 0;
    return !IsProtectedDirectory(dir, windowsDir, systemDir);
}

int RemoveDirectoryFiles(const char* dir)
{
    char path[2 * SETUP_PATH_SIZE];
    const char* pattern[] = { dir, "\\*.*" };
    if (!MayBeEmptied(dir) || !ConcatText(path, sizeof path, pattern, 2))
        return 1;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    do {
        const char* file[] = { dir, "\\", found.cFileName };
        if (found.cFileName[0] != '.' && ConcatText(path, sizeof path, file, 3))
            DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    RemoveDirectoryA(dir);
    return 1;
}
