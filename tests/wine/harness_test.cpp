// The harness and the platform under it: drives, machine reset, the corvex
// stand-in and in-process box answering.
#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "harness.h"

namespace {

bool FolderIsEmpty(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty root lists nothing
    bool empty = true;
    do {
        std::string n = fd.cFileName;
        empty = empty && (n == "." || n == "..");
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return empty;
}

ULONGLONG FreeBytes(const char* root)
{
    ULARGE_INTEGER avail, total, free;
    if (!GetDiskFreeSpaceExA(root, &avail, &total, &free))
        return 0;
    return avail.QuadPart;
}

HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return NULL;
}

// Sends one command to the PROGMAN server; true when it was carried out.
bool ProgmanExecute(const char* command)
{
    DWORD inst = 0;
    if (DdeInitializeA(&inst, IgnoreDde, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ name = DdeCreateStringHandleA(inst, "PROGMAN", CP_WINANSI);
    HCONV conv = DdeConnect(inst, name, name, NULL);
    bool ok = false;
    if (conv) {
        ok = DdeClientTransaction((LPBYTE)command, lstrlenA(command) + 1, conv, NULL, 0,
                                  XTYP_EXECUTE, 10000, NULL) != NULL;
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(inst, name);
    DdeUninitialize(inst);
    return ok;
}

bool GroupWindowOpen()
{
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, NULL, "Velorin")) != NULL) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId() && IsWindowVisible(w))
            return true;
    }
    return false;
}

std::string ProgramsFolder()
{
    char path[MAX_PATH];
    return SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, path) == S_OK ? path : "";
}

}  // namespace

TEST(Platform, EachRunHasFreshDrivesAndTheSmallVolumes)
{
    for (const char* root : {"d:\\", "a:\\", "b:\\", "e:\\", "x:\\", "w:\\", "y:\\"})
        EXPECT_TRUE(FolderIsEmpty(root)) << root;
    EXPECT_EQ(FreeBytes("x:\\"), 4194304u);
    EXPECT_EQ(FreeBytes("w:\\"), 7999488u);
    EXPECT_EQ(FreeBytes("y:\\"), 8003584u);
    // The figures setup multiplies agree.
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("w:\\", &spc, &bps, &freeClusters, &total));
    EXPECT_EQ((ULONGLONG)spc * bps * freeClusters, 7999488u);
    // Leave something behind: the next test process must not see it.
    EXPECT_TRUE(WriteFileBytes("d:\\left-behind", "x"));
    EXPECT_TRUE(MakeFileOfSize("y:\\left-behind", 100000, 1));
}

TEST(Platform, ExplorerServesProgmanAndResetRemovesTheGroup)
{
    ASSERT_TRUE(ProgmanExecute("[CreateGroup(Velorin)]"));
    std::string group = ProgramsFolder() + "\\Velorin";
    EXPECT_TRUE(PathExists(group));
    for (int i = 0; i < 100 && !GroupWindowOpen(); i++)
        Sleep(20);
    EXPECT_TRUE(GroupWindowOpen());
    ResetMachine();
    EXPECT_FALSE(PathExists(group));
    EXPECT_FALSE(GroupWindowOpen());
}

TEST(Harness, ResetMachineRemovesWhatSetupLeaves)
{
    ASSERT_TRUE(WriteProfileStringA("Orvanta Network Velorin", "Main", "c:\\orvanet"));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin\\Deeper", 0,
                              NULL, 0, KEY_WRITE, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegSetValueExA(key, "MainDir", 0, REG_SZ, (const BYTE*)"c:\\orvanet", 10);
    RegCloseKey(key);
    ASSERT_TRUE(MakeDirs("c:\\orvanet\\corvex"));
    ASSERT_TRUE(WriteFileBytes("c:\\orvanet\\corvex\\locked.z", "z"));
    SetReadOnly("c:\\orvanet\\corvex\\locked.z");
    ASSERT_TRUE(MakeDirs(ProgramsFolder() + "\\Velorin"));
    ASSERT_TRUE(WriteFileBytes(CorvexLogPath(), "line\r\n"));

    ResetMachine();

    char value[80];
    GetProfileStringA("Orvanta Network Velorin", "Main", "absent", value, sizeof value);
    EXPECT_STREQ(value, "absent");
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_FALSE(PathExists("c:\\orvanet"));
    EXPECT_FALSE(PathExists(ProgramsFolder() + "\\Velorin"));
    EXPECT_EQ(CorvexLog(), "");
}

TEST(Harness, CorvexRecordsItsCommandLineAndShowState)
{
    std::string corvex = CorvexExePath();
    ASSERT_FALSE(corvex.empty());
    std::string cmd = corvex + " main";
    ASSERT_GT(WinExec(cmd.c_str(), SW_SHOWNORMAL), 31u);
    for (int i = 0; i < 250 && CorvexLog().empty(); i++)
        Sleep(20);
    EXPECT_EQ(CorvexLog(), cmd + "|show=1\r\n");

    // Started without a show state, and with a quoted path: appended.
    std::string quoted = "\"" + corvex + "\" main";
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessA(NULL, &quoted[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    WaitForSingleObject(pi.hProcess, 10000);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(CorvexLog(), cmd + "|show=1\r\n" + quoted + "|show=default\r\n");
}

TEST(Harness, BoxAnswererReadsAndAnswersThisProcessesBoxes)
{
    StartBoxAnswerer([](const BoxInfo& b) {
        if (b.icon == "warning")
            return b.buttons == "Retry|Cancel" ? 4 : 1;
        if (b.icon == "question")
            return 7;
        return 1;
    });
    EXPECT_EQ(MessageBoxA(NULL, "Disk full.", "Velorin Installation",
                          MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDRETRY);
    EXPECT_EQ(MessageBoxA(NULL, "Sure?", "Velorin Installation", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(NULL, "Bad.", "Velorin Installation", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxA(NULL, "Note.", "Velorin", MB_OK | MB_ICONINFORMATION), IDOK);
    std::vector<std::string> seen = StopBoxAnswerer();
    std::vector<std::string> want = {
        "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel \"Disk full.\"",
        "box \"Velorin Installation\" icon=question buttons=Yes|No \"Sure?\"",
        "box \"Velorin Installation\" icon=error buttons=OK \"Bad.\"",
        "box \"Velorin\" icon=information buttons=OK \"Note.\"",
    };
    EXPECT_EQ(seen, want);
}

TEST(Harness, MadeFilesAreDeterministic)
{
    ASSERT_TRUE(MakeFileOfSize("e:\\a", 70001, 7));
    ASSERT_TRUE(MakeFileOfSize("e:\\b", 70001, 7));
    ASSERT_TRUE(MakeFileOfSize("e:\\c", 70001, 8));
    std::string a = ReadFileBytes("e:\\a");
    EXPECT_EQ(a.size(), 70001u);
    EXPECT_EQ(a, ReadFileBytes("e:\\b"));
    EXPECT_NE(a, ReadFileBytes("e:\\c"));
    ASSERT_TRUE(CopyFileTo("e:\\a", "e:\\copy"));
    EXPECT_EQ(ReadFileBytes("e:\\copy"), a);
}
