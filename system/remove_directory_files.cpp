#include "remove_directory_files.h"
#include "directory_guard.h"
#include "setup_state.h"
#include "system_text.h"

// The folders of the user's own that the shell and the programs keep, as
// the system records them.
static const char SHELL_FOLDERS_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char CURRENT_VERSION_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// A folder as the file system knows it, whatever it is called: another drive
// letter onto the same place, a share of this machine, a short name and a
// link all give the same identity.
struct FolderId {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

// Every folder from the one to be emptied up to its root.
enum { MAX_FOLDER_DEPTH = SETUP_PATH_SIZE / 2 };

struct Candidate {
    char full[SETUP_PATH_SIZE];
    char shortForm[SETUP_PATH_SIZE];  // "" where the folder has none
    int identified;                   // chain holds the identities
    int depth;
    FolderId chain[MAX_FOLDER_DEPTH];
};

// Windows 95 opens no folder, and so gives no identity.
static int GetFolderId(const char* path, FolderId* id)
{
    HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (folder == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info;
    int found = GetFileInformationByHandle(folder, &info) &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(folder);
    if (found) {
        id->volume = info.dwVolumeSerialNumber;
        id->indexHigh = info.nFileIndexHigh;
        id->indexLow = info.nFileIndexLow;
    }
    return found;
}

static int SameFolder(const FolderId* a, const FolderId* b)
{
    return a->volume == b->volume && a->indexHigh == b->indexHigh && a->indexLow == b->indexLow;
}

// 1 when path or one of the folders it lies in is the folder id; those that
// cannot be opened are passed over.
static int PathPassesThrough(const char* path, const FolderId* id)
{
    char folder[SETUP_PATH_SIZE];
    lstrcpynA(folder, path, SETUP_PATH_SIZE);
    for (uint32_t length = TextLength(folder); length; length = ParentFolderLength(folder)) {
        folder[length] = 0;
        FolderId found;
        if (GetFolderId(folder, &found) && SameFolder(&found, id))
            return 1;
    }
    return 0;
}

// The candidate's chain, every folder of it identified, or 0.
static int IdentifyChain(Candidate* c)
{
    char folder[SETUP_PATH_SIZE];
    lstrcpynA(folder, c->full, SETUP_PATH_SIZE);
    c->depth = 0;
    for (uint32_t length = TextLength(folder); length; length = ParentFolderLength(folder)) {
        folder[length] = 0;
        if (c->depth == MAX_FOLDER_DEPTH || !GetFolderId(folder, &c->chain[c->depth++]))
            return 0;
    }
    return 1;
}

static int FitsShortForm(const char* path, char* out)
{
    DWORD length = GetShortPathNameA(path, out, SETUP_PATH_SIZE);
    return length && length < SETUP_PATH_SIZE;
}

// 1 when folder forbids emptying the candidate, by either form of their
// texts and, where the system gives them, by their identities. A folder
// guarded whole that cannot be opened guards everything.
static int Guards(const Candidate* c, const char* folder, int whole)
{
    char shortFolder[SETUP_PATH_SIZE];
    if (GuardsDirectory(folder, whole, c->full))
        return 1;
    if (c->shortForm[0] &&
        GuardsDirectory(FitsShortForm(folder, shortFolder) ? shortFolder : folder, whole,
                        c->shortForm))
        return 1;
    if (!c->identified)
        return 0;
    FolderId id;
    if (whole) {
        if (!GetFolderId(folder, &id))
            return 1;
        for (int k = 0; k < c->depth; ++k) {
            if (SameFolder(&c->chain[k], &id))
                return 1;
        }
    }
    return PathPassesThrough(folder, &c->chain[0]);
}

// 1 when a folder named by one of the key's text values forbids emptying the
// candidate, or when the values cannot all be read; a key that is not there
// guards nothing unless it is required.
static int GuardedByValues(const Candidate* c, HKEY root, const char* keyName, int required)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return required;
    int guarded = 0;
    for (DWORD k = 0; !guarded; ++k) {
        char name[SETUP_PATH_SIZE], folder[SETUP_PATH_SIZE];
        DWORD nameSize = sizeof name, size = sizeof folder - 1, type = REG_SZ;
        LONG status = RegEnumValueA(key, k, name, &nameSize, NULL, &type, (BYTE*)folder, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA && type != REG_SZ)
            continue;  // no folder text: a path that long would not fit
        folder[status == ERROR_SUCCESS ? size : 0] = 0;
        guarded = status != ERROR_SUCCESS ||
                  (type == REG_SZ && IsFullPathText(folder) && Guards(c, folder, 0));
    }
    RegCloseKey(key);
    return guarded;
}

// A damaged or unusual WIN.INI ("Dialer=c:\windows\fonts", the Windows
// folder through another drive, the user's Desktop) must not cost the user a
// folder of the system's, the medium or one of the user's own. Fills c with
// the path to work on, the one that was judged.
static int MayBeEmptied(const char* dir, Candidate* c)
{
    DWORD length = IsFullPathText(dir) ? GetFullPathNameA(dir, SETUP_PATH_SIZE, c->full, NULL) : 0;
    if (length == 0 || length >= SETUP_PATH_SIZE || IsProtectedDirectory(c->full))
        return 0;
    if (!FitsShortForm(c->full, c->shortForm))
        c->shortForm[0] = 0;
    char windowsDir[SETUP_PATH_SIZE], systemDir[SETUP_PATH_SIZE];
    length = GetWindowsDirectoryA(windowsDir, SETUP_PATH_SIZE);
    if (length == 0 || length >= SETUP_PATH_SIZE)
        windowsDir[0] = 0;
    length = GetSystemDirectoryA(systemDir, SETUP_PATH_SIZE);
    if (length == 0 || length >= SETUP_PATH_SIZE)
        systemDir[0] = 0;
    FolderId windows;
    c->identified = windowsDir[0] && GetFolderId(windowsDir, &windows);
    if (c->identified && !IdentifyChain(c))
        return 0;
    return !Guards(c, windowsDir, 1) && !Guards(c, systemDir, 1) &&
           !Guards(c, setupState.sourceDir, 1) &&
           !GuardedByValues(c, HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, 1) &&
           !GuardedByValues(c, HKEY_LOCAL_MACHINE, SHELL_FOLDERS_KEY, 0) &&
           !GuardedByValues(c, HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, 1);
}

int RemoveDirectoryFiles(const char* dir)
{
    Candidate c;
    char path[2 * SETUP_PATH_SIZE];
    if (!MayBeEmptied(dir, &c))
        return 1;
    uint32_t length = TextLength(c.full);
    while (EndsInBackslash(c.full))
        c.full[--length] = 0;
    const char* pattern[] = { c.full, "\\*.*" };
    if (!ConcatText(path, sizeof path, pattern, 2))
        return 1;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 1;
    do {
        const char* file[] = { c.full, "\\", found.cFileName };
        if (found.cFileName[0] != '.' && ConcatText(path, sizeof path, file, 3))
            DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    RemoveDirectoryA(c.full);
    return 1;
}
