#include "remove_directory_files.h"
#include "directory_guard.h"
#include "setup_state.h"
#include "system_text.h"

enum { GUARDED_COUNT = 3 };

// The folders whose loss would cost the user the system or the medium; a
// folder the system cannot name stays empty, which guards everything.
static void GuardedFolders(char folders[GUARDED_COUNT][SETUP_PATH_SIZE])
{
    if (!GetWindowsDirectoryA(folders[0], SETUP_PATH_SIZE))
        folders[0][0] = 0;
    if (!GetSystemDirectoryA(folders[1], SETUP_PATH_SIZE))
        folders[1][0] = 0;
    lstrcpynA(folders[2], setupState.sourceDir, SETUP_PATH_SIZE);
}

static int FitsShortForm(const char* path, char* out)
{
    DWORD length = GetShortPathNameA(path, out, SETUP_PATH_SIZE);
    return length && length < SETUP_PATH_SIZE;
}

// A damaged WIN.INI ("Dialer=c:\windows\.", "Dialer=.") must not cost the
// user a folder of the system's. *full receives the path to work on, the
// one that was judged.
static int MayBeEmptied(const char* dir, char* full)
{
    DWORD length = IsFullPathText(dir) ? GetFullPathNameA(dir, SETUP_PATH_SIZE, full, NULL) : 0;
    if (length == 0 || length >= SETUP_PATH_SIZE)
        return 0;
    char folders[GUARDED_COUNT][SETUP_PATH_SIZE];
    GuardedFolders(folders);
    const char* guarded[GUARDED_COUNT] = { folders[0], folders[1], folders[2] };
    if (IsProtectedDirectory(full, guarded, GUARDED_COUNT))
        return 0;
    // "C:\WINDOW~1" names the Windows folder too: where the folder exists,
    // its short form is compared with theirs.
    char shortDir[SETUP_PATH_SIZE], shortFolders[GUARDED_COUNT][SETUP_PATH_SIZE];
    if (!FitsShortForm(full, shortDir))
        return 1;
    for (int k = 0; k < GUARDED_COUNT; ++k) {
        if (FitsShortForm(folders[k], shortFolders[k]))
            guarded[k] = shortFolders[k];
    }
    return !IsProtectedDirectory(shortDir, guarded, GUARDED_COUNT);
}

int RemoveDirectoryFiles(const char* dir)
{
    char full[SETUP_PATH_SIZE], path[2 * SETUP_PATH_SIZE];
    if (!MayBeEmptied(dir, full))
        return 1;
    uint32_t length = TextLength(full);
    while (EndsInBackslash(full))
        full[--length] = 0;
    const char* pattern[] = { full, "\\*.*" };
    if (!ConcatText(path, sizeof path, pattern, 2))
        return 1;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    do {
        const char* file[] = { full, "\\", found.cFileName };
        if (found.cFileName[0] != '.' && ConcatText(path, sizeof path, file, 3))
            DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    RemoveDirectoryA(full);
    return 1;
}
