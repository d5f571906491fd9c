// The system integration under Wine: in process, the DDE client against a
// server of the test's own (progman.cpp built for it) and what the migration
// must not destroy; through setup.exe, an upgrade: settings, files, group.
#include <gtest/gtest.h>

#include <map>
#include <shlobj.h>
#include <shlwapi.h>

#include "engine.h"
#include "harness.h"
#include "migration.h"
#include "progman.h"
#include "registry_settings.h"
#include "remove_directory_files.h"
#include "setup_state.h"

namespace {

typedef std::vector<std::string> Lines;
typedef std::map<std::string, std::string> Values;  // "SZ text" or "DWORD n" by name

// A medium in d:\. The owner is message-only: no DDE broadcast waits for it.
void PrepareInstall(const char* installDir)
{
    static HWND page = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, HWND_MESSAGE, NULL, NULL, NULL);
    ZeroMemory(&setupState, sizeof setupState);
    lstrcpyA(setupState.sourceDir, "d:\\");
    lstrcpyA(setupState.installDir, installDir);
    setupState.bytesPerPercent = 15000;
    setupState.progressDialog = page;
    for (const char* name : { "nsystem.z", "netscape.z", "wsystem.z", "plugins.z", "javaclss.z",
                              "javabin.z", "readme.txt", "nprogram.z" })
        WriteFileBytes(std::string("d:\\") + name, name);
    WriteFileBytes("d:\\corvex.z", std::string(4, '\0'));
    WriteFileBytes("d:\\setup.ini", "[Velorin]\nIsRegNoAPrefix=Yes\nRegNo=O-1\nHomePage=h.htm\nHDHomePage=x\n"
                                     "SetupFee=$5\nFreeHours=9\nFreeDays=30\n");
}

Values RegistryValues()
{
    Values values;
    HKEY key = NULL;  // stays so without the key, and then enumerates nothing
    char name[64], data[512];
    DWORD nameSize = sizeof name, type, size = sizeof data;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin", 0, KEY_READ, &key);
    for (DWORD i = 0; !RegEnumValueA(key, i, name, &nameSize, NULL, &type, (BYTE*)data, &size);
         ++i, nameSize = sizeof name, size = sizeof data)
        values[name] = type == REG_DWORD ? "DWORD " + std::to_string(*(DWORD*)data)
                                         : (type == REG_SZ ? "SZ " : "? ") + std::string(data, strnlen(data, size));
    RegCloseKey(key);
    return values;
}

Lines received;  // by the recording server: each connection's topic, each command's data
DWORD server;

// Refuses every command, as a shell does the deletion of a group it lacks.
HDDEDATA CALLBACK Record(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    char name[16] = "";
    if (type == XTYP_CONNECT && DdeQueryStringA(server, topic, name, sizeof name, CP_WINANSI))
        received.push_back(std::string("connect ") + name);
    if (type == XTYP_EXECUTE) {
        received.emplace_back(DdeGetData(data, NULL, 0, 0), '?');
        DdeGetData(data, (BYTE*)&received.back()[0], (DWORD)received.back().size(), 0);
    }
    return type == XTYP_CONNECT ? (HDDEDATA)1 : type == XTYP_EXECUTE ? (HDDEDATA)DDE_FNOTPROCESSED : NULL;
}

// The group's failure costs the installation nothing and shows nothing; a
// critical error is the one thing shown. Only "YES" makes the number a prefix.
TEST(SystemInstall, SendsTheGroupsCommands)
{
    PrepareInstall("c:\\orvanet");
    WriteFileBytes("d:\\setup.ini", "[Velorin]\nIsRegNoAPrefix=y\nRegNo=7\nHDHomePage=x\n");
    DdeInitializeA(&server, Record, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
    DdeNameService(server, DdeCreateStringHandleA(server, PROGMAN_SERVICE, CP_WINANSI), NULL, DNS_REGISTER);
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    DdeUninitialize(server);
    EXPECT_EQ(NULL, ProgmanCallback(XTYP_ERROR, 0, NULL, NULL, NULL, NULL, DMLERR_LOW_MEMORY, 0));
    EXPECT_EQ(Lines{ "box \"Velorin Installation\" icon=warning buttons=OK \"A critical error has occurred.\"" },
              StopBoxAnswerer());
    const std::string exe = "c:\\orvanet\\corvex\\corvex.exe", zero(1, '\0');
    EXPECT_EQ((Lines{ "connect PROGMAN", "[DeleteGroup(Velorin)]" + zero, "[CreateGroup(Velorin)]" + zero,
                      "[AddItem(" + exe + ", Registration & Utilities, " + exe + ")]" + zero }), received);
    // No home page, so no local copy of it; absent keys write nothing.
    EXPECT_EQ((Values{ { "MainDir", "SZ c:\\orvanet" }, { "RegNo", "SZ 7" }, { "Flags", "DWORD 16" } }),
              RegistryValues());
}

const char kSection[] = "Orvanta Network Velorin";
const std::string kWin = "c:\\windows\\", kRootFile = "c:\\vltest-root.txt";
const std::string kSpsd = "device=c:\\olddial\\bin\\vntspsd.386\r\n", kTcprac = "DEVICE=C:\\OLDDIAL\\BIN\\VTCPRAC.386\r\n",
                  kHead = "[boot]\r\n" + kSpsd + "[386Enh]\r\n", kEnd = "x=1\r\n",
                  kSystemIni = kHead + kSpsd + kTcprac + "device=c:\\orvanet\\tcppro\\bin\\vntstimd.exe\r\n" + kEnd;

// Puts SYSTEM.INI back and removes what these tests add beyond ResetMachine.
struct Restore {
    std::string systemIni = ReadFileBytes(kWin + "system.ini");
    ~Restore()
    {
        WriteFileBytes(kWin + "system.ini", systemIni);
        ClearReadOnly(kWin + "SYSTEM.OLD");
        for (const std::string& f : { kWin + "SYSTEM.OLD", kWin + "vez.ini", kRootFile })
            DeleteFileA(f.c_str());
        SHFILEOPSTRUCTA tree = { NULL, FO_DELETE, "c:\\olddial\0", NULL, FOF_NO_UI };
        SHFileOperationA(&tree);
    }
};

// The earlier installation, with a dot-file and a sub-directory in register.
void PlantEarlierInstall(const std::string& main)
{
    WriteProfileStringA(kSection, "Main", main.c_str());
    WriteProfileStringA(kSection, "Tessimo", "c:\\olddial");
    WriteProfileStringA(kSection, "Eudora", "c:\\eudora");
    WriteProfileStringA(NULL, NULL, NULL);
    MakeDirs(main + "\\register\\sub");
    WriteFileBytes(main + "\\register\\register.ini", "[Velorin Registration]\r\nVersion=3.1\r\n");
    WriteFileBytes(main + "\\register\\.hidden", "h");
    for (std::string dir : { "c:\\olddial\\bin", "c:\\olddial\\app", "c:\\olddial\\etc", "c:\\olddial" })
        MakeDirs(dir), WriteFileBytes(dir + "\\f.dat", dir);
    WriteFileBytes(kWin + "vez.ini", "[vez]\r\n");
    WriteFileBytes(kWin + "system.ini", kSystemIni);
}

// Without "Version" nothing happens. SYSTEM.INI is never replaced by a copy
// that may be cut, and then no directory goes. "Dialer=C:\" empties no root.
TEST(SystemMigration, DestroysNothingItShouldNot)
{
    Restore restore;
    PlantEarlierInstall("c:\\orvanet");
    ASSERT_TRUE(WriteFileBytes(kWin + "SYSTEM.OLD", "old") && SetReadOnly(kWin + "SYSTEM.OLD"));
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    WriteProfileStringA(kSection, "Main", "c:\\elsewhere");
    EXPECT_EQ(0, MigratePreviousInstall(NULL));
    WriteProfileStringA(kSection, "Main", "c:\\orvanet");
    EXPECT_EQ(0, MigratePreviousInstall(NULL));
    EXPECT_EQ(1u, StopBoxAnswerer().size());
    EXPECT_EQ(kSystemIni, ReadFileBytes(kWin + "system.ini"));
    EXPECT_TRUE(PathExists("c:\\orvanet\\register\\register.ini") && PathExists("c:\\olddial\\f.dat"));
    ASSERT_TRUE(WriteFileBytes(kRootFile, "stays"));
    RemoveDirectoryFiles("C:\\");
    EXPECT_TRUE(PathExists(kRootFile));
}

// The earlier directory, long, replaces the typed one whole; its traces go,
// its directories inside out; its group is replaced by one with the one item.
TEST(SystemMigration, UpgradeThroughSetupExe)
{
    Restore restore;
    char programs[MAX_PATH], keys[8];
    ASSERT_EQ(S_OK, SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs));
    const std::string group = std::string(programs) + "\\Velorin\\", main = "c:\\orvanet\\" + std::string(80, 'm');
    ASSERT_TRUE(MakeDirs(group + "Extras") && WriteFileBytes(group + "Old.lnk", "old"));
    PlantEarlierInstall(main);
    ASSERT_EQ(0, RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin", "RegNo", REG_SZ, "R", 2));
    // The shell links only to a program that exists.
    ASSERT_TRUE(MakeDirs(main + "\\corvex") && WriteFileBytes(main + "\\corvex\\corvex.exe", "MZ"));
    PrepareInstall("c:\\typed");
    HWND page;
    Program p = StartSetup("d:\\", "c:\\typed", &page);
    EXPECT_EQ(AnswerBox(p, IDOK),
        "box \"Velorin\" icon=information buttons=OK \"Thank you for upgrading to Velorin for Windows 95.\\r\\n"
        "\\r\\n1. You will no longer be using the Internet Dialer to connect to Orvanta Network. Follow the "
        "on-line instructions to learn how to use Dial-Up Networking, the built-in tool for Windows 95.\\r\\n"
        "\\r\\n2. Your Netscape Navigator will be upgraded to the newest version, but your bookmarks and "
        "news files will be retained.\"");
    EXPECT_EQ(WaitExit(p), 0);
    EXPECT_EQ(kHead + kEnd, ReadFileBytes(kWin + "system.ini"));
    EXPECT_EQ(kHead + kEnd, ReadFileBytes(kWin + "SYSTEM.OLD"));
    EXPECT_EQ("nsystem.z", ReadFileBytes(main + "\\corvex\\nsystem.z"));
    EXPECT_FALSE(PathExists(kWin + "vez.ini") || PathExists(main + "\\register\\register.ini")
                 || GetProfileStringA(kSection, NULL, "", keys, sizeof keys));
    EXPECT_TRUE(PathExists(main + "\\register\\.hidden") && PathExists(main + "\\register\\sub"));
    EXPECT_FALSE(PathExists("c:\\typed") || PathExists("c:\\olddial"));
    // The offer of the medium; an earlier value that it does not replace stays.
    EXPECT_EQ((Values{ { "MainDir", "SZ " + main }, { "RegNo", "SZ R" }, { "RegNoPrefix", "SZ O-1" },
                       { "HomePage", "SZ h.htm" }, { "LocalURLPath", "SZ " + main + "\\www\\h.htm" },
                       { "VL31Eudora", "SZ TRUE" }, { "SetupFee", "SZ $5" }, { "FreeHours", "SZ 9" },
                       { "FreeDays", "SZ 30" }, { "Flags", "DWORD 16" } }), RegistryValues());
    EXPECT_FALSE(PathExists(group + "Old.lnk") || PathExists(group + "Extras"));
    std::string link = ReadFileBytes(group + "Registration & Utilities.lnk");
    CharLowerBuffA(&link[0], (DWORD)link.size());
    EXPECT_NE(std::string::npos, link.find(main + "\\corvex\\corvex.exe"));
}

// Only the installation's folders, files and values, its group and what the
// migration names; a cancelled copy leaves its folders and files, no more.
TEST(SystemMachine, ChangesNothingElse)
{
    const std::string dir = "c:\\orvanet\\corvex";
    struct Row { const char* name; bool upgrade, cancel; };
    for (Row row : { Row{ "plain installation", false, false }, Row{ "upgrade", true, false },
                     Row{ "cancelled half way", false, true } }) {
        SCOPED_TRACE(row.name);
        ResetMachine();
        Restore restore;
        const std::string winIni = ReadFileBytes(kWin + "win.ini");
        PrepareInstall("c:\\orvanet");
        // By what a path may hold afterwards ("*" anything, "" nothing), the paths setup.exe may
        // change (wildcards as in file names, ';' between them), and the empty key that Wine's
        // shell makes for a group's window when it gets round to it, even during a later run.
        std::map<std::string, std::string> may = { { "*", "c:\\orvanet;" + dir + "*" },
            { "key", "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced" } };
        if (!row.cancel)
            may["*"] += ";HKLM\\Software\\OrvantaNetwork\\Velorin*;"
                        "c:\\users\\*\\Start Menu\\Programs\\Velorin*";
        if (row.upgrade) {
            PlantEarlierInstall("c:\\orvanet");
            ASSERT_TRUE(MakeDirs(dir) &&
                        CopyFileA(CorvexExePath().c_str(), (dir + "\\corvex.exe").c_str(), FALSE));
            // The log of the registration program's stand-in; register.ini's "Version"
            // is emptied, then the file goes with the other files of its folder.
            may["*"] += ";c:\\corvex-log.txt;c:\\windows\\win.ini;c:\\windows\\system.*";
            may[""] = "c:\\windows\\vez.ini;c:\\orvanet\\register\\register.ini;c:\\olddial*";
        }
        if (row.cancel) {  // a gigabyte of zeros that takes no room on the medium
            HANDLE f = CreateFileA("d:\\javaclss.z", GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
            ASSERT_TRUE(SetFilePointer(f, 1 << 30, NULL, FILE_BEGIN) && SetEndOfFile(f) &&
                        CloseHandle(f));
        }
        Snapshot before = SnapshotMachine();
        HWND page;
        Program p = StartSetup("d:\\", "", &page);
        if (row.upgrade)
            AnswerBox(p, IDOK);
        if (row.cancel)
            Press(page, IDC_CANCEL_SETUP), AnswerBox(p, IDYES);
        EXPECT_EQ(WaitExit(p), 0);
        Snapshot after = SnapshotMachine(), both = before;
        both.insert(after.begin(), after.end());
        for (const auto& entry : both) {
            const std::string& path = entry.first, was = before[path], is = after[path];
            if (was != is && !PathMatchSpecA(path.c_str(), may["*"].c_str()) &&
                !PathMatchSpecA(path.c_str(), may[is].c_str()))
                ADD_FAILURE() << path << ": " << (was.empty() ? "absent" : was) << " -> "
                              << (is.empty() ? "absent" : is);
        }
        if (row.upgrade)  // loses the section, and only that
            EXPECT_EQ(winIni, ReadFileBytes(kWin + "win.ini"));
        const std::string copy = after[dir + "\\javaclss.z"];  // stopped before a chunk
        EXPECT_TRUE(!row.cancel || std::stoul(copy.substr(copy.rfind(' '))) % 32000 == 0) << copy;
    }
}

}  // namespace
