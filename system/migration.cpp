#include "migration.h"
#include "earlier_install.h"
#include "remove_directory_files.h"
#include "setup_state.h"
#include "system_ini_filter.h"
#include "system_text.h"

static const char SECTION[] = EARLIER_INSTALL_SECTION;
static const char REGISTRATION_SECTION[] = "Velorin Registration";

// Read limits count the terminating zero. 273 is the limit the earlier
// installations' records are read with, not a path size of this program.
enum { MAIN_READ_SIZE = 273, VERSION_READ_SIZE = 273, VALUE_READ_SIZE = 256, TCP_READ_SIZE = 260 };
enum { DERIVED_SIZE = MAIN_READ_SIZE + 32 };

static const char UPGRADE_NOTICE[] =
    "Thank you for upgrading to Velorin for Windows 95.\r\n\r\n"
    "1. You will no longer be using the Internet Dialer to connect to Orvanta Network. "
    "Follow the on-line instructions to learn how to use Dial-Up Networking, the built-in "
    "tool for Windows 95.\r\n\r\n"
    "2. Your Netscape Navigator will be upgraded to the newest version, but your bookmarks "
    "and news files will be retained.";

static void Derive(char* out, const char* dir, const char* suffix)
{
    const char* parts[] = { dir, suffix };
    ConcatText(out, DERIVED_SIZE, parts, 2);
}

// name in the Windows directory, built from its drive letter, a colon and
// the rest of the directory from its third character on. Empty when the
// Windows directory is unknown.
static void WindowsFilePath(char* out, const char* windowsDir, const char* name)
{
    char drive[3] = { windowsDir[0], ':', 0 };
    const char* parts[] = { drive, windowsDir[0] ? windowsDir + 2 : "", "\\", name };
    if (!windowsDir[0] || windowsDir[1] == 0 || !ConcatText(out, DERIVED_SIZE, parts, 4))
        out[0] = 0;
}

static int ReadWhole(HANDLE file, char** text, DWORD* size)
{
    *size = GetFileSize(file, NULL);
    if (*size == INVALID_FILE_SIZE)
        return 0;
    *text = (char*)HeapAlloc(GetProcessHeap(), 0, *size + 1);
    DWORD got = 0;
    return *text && ReadFile(file, *text, *size, &got, NULL) && got == *size;
}

// Filters SYSTEM.INI into SYSTEM.OLD, flushed to the disk, then puts that in
// SYSTEM.INI's place in one step, so that SYSTEM.INI holds its old text or
// its new one, whole, whatever fails or stops the machine. Windows 95 cannot
// replace a file in one step; there SYSTEM.OLD is copied over it. SYSTEM.OLD
// then holds the new text again. 1 when SYSTEM.INI was replaced.
static int RewriteSystemIni(const char* iniPath, const char* oldPath, const char* dialerBinDir)
{
    HANDLE ini = CreateFileA(iniPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (ini == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE old =
        CreateFileA(oldPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (old == INVALID_HANDLE_VALUE) {
        CloseHandle(ini);
        return 0;
    }
    // The section is gone by now, so this normally gives the default.
    char tcpDir[TCP_READ_SIZE + 16];
    GetProfileStringA(SECTION, EARLIER_INSTALL_DIR_KEY, "c:\\orvanet", tcpDir, TCP_READ_SIZE);
    lstrcatA(tcpDir, "\\tcppro\\bin");
    DriverLines lines;
    FormatDriverLines(dialerBinDir, tcpDir, &lines);

    char* text = NULL;
    DWORD size = 0, written = 0;
    int whole = ReadWhole(ini, &text, &size);
    if (whole) {
        DWORD kept = FilterSystemIni(text, size, &lines);
        whole =
            WriteFile(old, text, kept, &written, NULL) && written == kept && FlushFileBuffers(old);
    }
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    CloseHandle(ini);
    whole = CloseHandle(old) && whole;
    if (!whole)
        return 0;
    if (!MoveFileExA(oldPath, iniPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && CopyFileA(oldPath, iniPath, FALSE);
    CopyFileA(iniPath, oldPath, FALSE);
    return 1;
}

// A value that filled its buffer may have been cut: it names no folder.
static int MayBeCut(DWORD length, DWORD size)
{
    return length >= size - 1;
}

static int IsFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The old dialer's folders are its own only while its drivers are there.
static int HoldsDriverFile(const char* binDir)
{
    char path[DERIVED_SIZE];
    for (int k = 0; k < DRIVER_FILE_COUNT; ++k) {
        if (JoinPath(path, sizeof path, binDir, DRIVER_FILES[k]) && IsFile(path))
            return 1;
    }
    return 0;
}

int MigratePreviousInstall(HWND owner)
{
    char mainDir[MAIN_READ_SIZE], registerIni[DERIVED_SIZE], version[VERSION_READ_SIZE];
    DWORD mainLength =
        GetProfileStringA(SECTION, EARLIER_INSTALL_DIR_KEY, "", mainDir, sizeof mainDir);
    if (!mainLength)
        return 0;
    Derive(registerIni, mainDir, "\\register\\register.ini");
    if (!registerIni[0] || !GetPrivateProfileStringA(REGISTRATION_SECTION, "Version", "", version,
                                                     sizeof version, registerIni))
        return 0;
    MessageBoxA(owner, UPGRADE_NOTICE, "Velorin", MB_OK | MB_ICONINFORMATION);

    char eudora[VALUE_READ_SIZE], dialerDir[VALUE_READ_SIZE];
    if (GetProfileStringA(SECTION, "Eudora", "", eudora, sizeof eudora))
        setupState.mailClientFound = 1;
    // Taken over whole or not at all: a directory the directory page would
    // refuse is not installed into. The earlier files are cleaned up anyway.
    if (TextLength(mainDir) <= MAX_INSTALL_DIR_LENGTH)
        lstrcpynA(setupState.installDir, mainDir, SETUP_PATH_SIZE);
    DWORD dialerLength = GetProfileStringA(SECTION, "Dialer", "", dialerDir, sizeof dialerDir);
    if (!dialerLength)
        dialerLength = GetProfileStringA(SECTION, "Tessimo", "", dialerDir, sizeof dialerDir);
    // The earlier installation's own register directory, even when its
    // directory was not taken over.
    char registerDir[DERIVED_SIZE], binDir[DERIVED_SIZE], appDir[DERIVED_SIZE],
        etcDir[DERIVED_SIZE];
    Derive(registerDir, mainDir, "\\Register");
    Derive(binDir, dialerDir, "\\bin");
    Derive(appDir, dialerDir, "\\app");
    Derive(etcDir, dialerDir, "\\etc");
    int dialerOwn =
        dialerLength && !MayBeCut(dialerLength, sizeof dialerDir) && HoldsDriverFile(binDir);

    char windowsDir[SETUP_PATH_SIZE], vezIni[DERIVED_SIZE], systemIni[DERIVED_SIZE],
        systemOld[DERIVED_SIZE];
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (length == 0 || length >= sizeof windowsDir)
        windowsDir[0] = 0;
    WindowsFilePath(vezIni, windowsDir, "vez.ini");
    if (vezIni[0])
        DeleteFileA(vezIni);
    WritePrivateProfileStringA(REGISTRATION_SECTION, "Version", "", registerIni);
    WriteProfileStringA(SECTION, NULL, NULL);

    WindowsFilePath(systemIni, windowsDir, "SYSTEM.INI");
    WindowsFilePath(systemOld, windowsDir, "SYSTEM.OLD");
    if (!systemIni[0] || !RewriteSystemIni(systemIni, systemOld, binDir))
        return 0;
    // The register folder is the earlier installation's while its
    // register.ini, emptied of its Version above, is still there.
    if (!MayBeCut(mainLength, sizeof mainDir) && IsFile(registerIni))
        RemoveDirectoryFiles(registerDir);
    if (dialerOwn) {
        RemoveDirectoryFiles(binDir);
        RemoveDirectoryFiles(appDir);
        RemoveDirectoryFiles(etcDir);
        RemoveDirectoryFiles(dialerDir);
    }
    return 1;
}
