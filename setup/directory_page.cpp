// The directory page, where installDir is chosen, and its free-space check.
#include "setup.h"
#include "setup_logic.h"
#include "setup_state.h"
#include "../res/resource.h"

static const char DEFAULT_INSTALL_DIR[] = "c:\\orvanet";

// Big enough that any entry it cuts is still refused as too long.
enum { ENTRY_READ_SIZE = 2 * MAX_INSTALL_DIR_LENGTH };

static void ShowError(HWND page, const char* text)
{
    MessageBoxA(page, text, SETUP_CAPTION, MB_OK | MB_ICONERROR);
}

// Every opening shows the recorded (or default) directory again, so an entry
// typed before going Back is replaced. It is shown whole: one that is too
// long is refused as such on Next, never installed into cut short.
static void OnDirectoryPageInit(HWND page)
{
    CenterDialog(page);
    GetProfileStringA(EARLIER_INSTALL_SECTION, EARLIER_INSTALL_DIR_KEY, DEFAULT_INSTALL_DIR,
                      setupState.installDir, SETUP_PATH_SIZE);
    SetDlgItemTextA(page, IDC_DIRECTORY, setupState.installDir);
}

static void OnDirectoryNext(HWND page)
{
    char entry[ENTRY_READ_SIZE];
    GetDlgItemTextA(page, IDC_DIRECTORY, entry, ENTRY_READ_SIZE);
    switch (AcceptDirectoryEntry(entry)) {
    case DIRECTORY_EMPTY:
        ShowError(page, "Please enter the Velorin directory.");
        return;
    case DIRECTORY_TOO_LONG:
        ShowError(page, "The Velorin directory name is too long.");
        return;
    }
    lstrcpynA(setupState.installDir, entry, SETUP_PATH_SIZE);
    if (CheckFreeSpace(page))
        EndDialog(page, IDC_NEXT);
}

INT_PTR CALLBACK DirectoryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnDirectoryPageInit(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            OnDirectoryNext(page);
            return TRUE;
        case IDC_BACK:
        case IDC_CANCEL_SETUP:
            EndDialog(page, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// A failed query leaves the zeros, which count as no free space.
int CheckFreeSpace(HWND page)
{
    char root[SETUP_PATH_SIZE + 2];
    VolumeRootOf(setupState.installDir, root, sizeof root);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters);
    DWORD freeBytes = FreeBytesOf(freeClusters, bytesPerSector, sectorsPerCluster);
    if (HasRequiredFreeSpace(freeBytes))
        return 1;
    char text[SETUP_PATH_SIZE + 128];
    wsprintfA(text,
              "There are only %ld.%ld MBs free on drive %s. Velorin requires at least 8.0 MB of "
              "free disk space.",
              (long)(freeBytes / 1000000), (long)(freeBytes % 1000000 / 100000), root);
    ShowError(page, text);
    return 0;
}
