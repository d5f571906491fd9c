// The system integration under Wine. In process: the registry values read
// back, the DDE client against a recording server of the test's own (this
// program builds progman.cpp with a service name no shell serves), and the
// migration on Wine's own WIN.INI, SYSTEM.INI and folders. Once through
// setup.exe: an upgrade, with the group that Wine's explorer makes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <shlobj.h>

#include "engine.h"
#include "harness.h"
#include "migration.h"
#include "progman.h"
#include "registry_settings.h"
#include "setup_state.h"

namespace {

typedef std::vector<std::string> Lines;

// From d:\ into installDir; corvex.z has no members. The owner is a
// message-only window, which no DDE broadcast from setup.exe waits for.
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
}

std::map<std::string, std::string> RegistryValues()
{
    std::map<std::string, std::string> values;
    HKEY key;
    char name[64], data[512];
    DWORD nameSize = sizeof name, type, size = sizeof data;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin", 0, KEY_READ, &key))
        return values;
    for (DWORD i = 0; !RegEnumValueA(key, i, name, &nameSize, NULL, &type, (BYTE*)data, &size);
         ++i, nameSize = sizeof name, size = sizeof data)
        values[name] = type == REG_DWORD ? "DWORD " + std::to_string(*(DWORD*)data)
                     : (type == REG_SZ ? "SZ " : "?? ") + std::string(data, strnlen(data, size));
    RegCloseKey(key);
    return values;
}

Lines Listing(const std::string& dir)
{
    Lines names;
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &f);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &f))
        if (f.cFileName[0] != '.' || (f.cFileName[1] && lstrcmpA(f.cFileName, "..")))
            names.push_back(f.cFileName);
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SystemRegistry, ValuesForEachSetupIni)
{
    const std::string n70(70, '7'), h300(300, 'h'), absent = "-";
    const std::map<std::string, std::string> old = { { "HomePage", "SZ o" }, { "RegNo", "SZ R" }, { "MainDir", "SZ d:\\" } };
    const struct { std::string ini; int eudora; std::map<std::string, std::string> earlier, written; } cases[] = {
        { absent, 0, {}, {} },
        { "IsRegNoAPrefix=Yes\nRegNo=O-1\nHomePage=h.htm\nHDHomePage=x\nSetupFee=$5\nFreeHours=9\nFreeDays=30",
          1, {}, { { "RegNoPrefix", "SZ O-1" }, { "HomePage", "SZ h.htm" }, { "SetupFee", "SZ $5" },
                   { "LocalURLPath", "SZ c:\\orvanet\\www\\h.htm" }, { "VL31Eudora", "SZ TRUE" },
                   { "FreeHours", "SZ 9" }, { "FreeDays", "SZ 30" } } },
        { "IsRegNoAPrefix=YES\nRegNo=7", 0, {}, { { "RegNoPrefix", "SZ 7" } } },
        { "IsRegNoAPrefix=y\nRegNo=7", 0, {}, { { "RegNo", "SZ 7" } } },
        { "IsRegNoAPrefix=true\nRegNo=7", 0, {}, { { "RegNo", "SZ 7" } } },
        { "IsRegNoAPrefix=1\nRegNo=" + n70, 0, {}, { { "RegNo", "SZ " + n70.substr(0, 63) } } },
        { "HomePage=" + h300, 0, {}, { { "HomePage", "SZ " + h300.substr(0, 255) } } },
        { "IsRegNoAPrefix=YES\nHDHomePage=x", 0, {}, {} },
        { "SetupFee=$5", 0, {}, { { "SetupFee", "SZ $5" } } },
        { "FreeHours=9", 0, {}, { { "FreeHours", "SZ 9" } } },
        { "FreeDays=30", 0, {}, { { "FreeDays", "SZ 30" } } },
        { "HomePage=", 0, old, { { "HomePage", "SZ o" }, { "RegNo", "SZ R" } } },  // earlier values stay
    };
    int row = 0;
    for (const auto& c : cases) {
        ResetMachine();
        std::string dir = "e:\\" + std::to_string(++row) + "\\";  // no cached setup.ini
        MakeDirs(dir);
        lstrcpyA(setupState.sourceDir, dir.c_str());
        if (c.ini != absent)
            WriteFileBytes(dir + "setup.ini", "[Velorin]\n" + c.ini + "\n");
        setupState.mailClientFound = c.eudora;
        HKEY key;
        if (!c.earlier.empty() && !RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin", &key))
            for (const auto& v : c.earlier)
                RegSetValueExA(key, v.first.c_str(), 0, REG_SZ, (const BYTE*)v.second.c_str() + 3, (DWORD)v.second.size() - 2);
        auto expected = c.written;
        expected["MainDir"] = "SZ c:\\orvanet";
        expected["Flags"] = "DWORD 16";
        WriteRegistrySettings("c:\\orvanet");
        EXPECT_EQ(expected, RegistryValues()) << "row " << row;
    }
}

std::string Sent(const std::string& text) { return text + '\0'; }

Lines received;  // by the recording server: "connect", then each command's data with its zero
DWORD server;

HDDEDATA CALLBACK Record(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    char name[16] = "";
    DdeQueryStringA(server, topic, name, sizeof name, CP_WINANSI);
    if (type == XTYP_CONNECT && lstrcmpiA(name, "PROGMAN") == 0)
        received.push_back("connect");
    if (type == XTYP_CONNECT)
        return (HDDEDATA)(UINT_PTR)(lstrcmpiA(name, "PROGMAN") == 0);
    if (type != XTYP_EXECUTE)
        return NULL;
    received.emplace_back(DdeGetData(data, NULL, 0, 0), '?');
    DdeGetData(data, (BYTE*)&received.back()[0], (DWORD)received.back().size(), 0);
    return (HDDEDATA)DDE_FACK;
}

DWORD WINAPI Serve(LPVOID ready)
{
    DdeInitializeA(&server, Record, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
    DdeNameService(server, DdeCreateStringHandleA(server, PROGMAN_SERVICE, CP_WINANSI), NULL, DNS_REGISTER);
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    DdeUninitialize(server);
    return 0;
}

TEST(SystemProgman, InstallationSendsTheThreeCommandsInOrder)
{
    PrepareInstall("c:\\orvanet");
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    DWORD id;
    HANDLE thread = CreateThread(NULL, 0, Serve, ready, 0, &id);
    WaitForSingleObject(ready, 10000);
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    PostThreadMessageA(id, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 10000);
    EXPECT_EQ((Lines{ "connect", Sent("[DeleteGroup(Velorin)]"), Sent("[CreateGroup(Velorin)]"),
                      Sent("[AddItem(c:\\orvanet\\corvex\\corvex.exe, Registration & Utilities, "
                           "c:\\orvanet\\corvex\\corvex.exe)]") }), received);
}

// With no server the installation completes without a word; a critical
// error is the one thing shown.
TEST(SystemProgman, WithoutAServerOnlyACriticalErrorIsShown)
{
    PrepareInstall("c:\\orvanet");
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    EXPECT_EQ(NULL, ProgmanCallback(XTYP_ERROR, 0, NULL, NULL, NULL, NULL, DMLERR_LOW_MEMORY, 0));
    EXPECT_EQ(Lines{ "box \"Velorin Installation\" icon=warning buttons=OK \"A critical error has occurred.\"" },
              StopBoxAnswerer());
}

const char kSection[] = "Orvanta Network Velorin";
const std::string kWin = "c:\\windows\\", kRootFile = "c:\\vltest-root.txt";
const std::string kSpsd = "device=c:\\olddial\\bin\\vntspsd.386\r\n", kTcprac = "DEVICE=C:\\OLDDIAL\\BIN\\VTCPRAC.386\r\n",
                  kHead = "[boot]\r\n" + kSpsd + "[386Enh]\r\n", kEnd = "x=1\r\n", kFiltered = kHead + kEnd,
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

// The earlier installation of the example; its register directory also
// holds a dot-file and a sub-directory.
void PlantEarlierInstall(const std::string& main, const char* dialerKey, const char* dialerDir)
{
    WriteProfileStringA(kSection, "Main", main.c_str());
    WriteProfileStringA(kSection, dialerKey, dialerDir);
    WriteProfileStringA(kSection, "Eudora", "c:\\eudora");
    WriteProfileStringA(NULL, NULL, NULL);
    MakeDirs(main + "\\register\\sub");
    WriteFileBytes(main + "\\register\\register.ini", "[Velorin Registration]\r\nVersion=3.1\r\n");
    WriteFileBytes(main + "\\register\\.hidden", "h");
    for (std::string dir : { "c:\\olddial\\bin", "c:\\olddial\\app", "c:\\olddial\\etc", "c:\\olddial" })
        MakeDirs(dir), WriteFileBytes(dir + "\\f.dat", dir);
    WriteFileBytes(kWin + "vez.ini", "[vez]\r\n");
    ClearReadOnly(kWin + "SYSTEM.OLD");
    DeleteFileA((kWin + "SYSTEM.OLD").c_str());
    WriteFileBytes(kWin + "system.ini", kSystemIni);
    WriteFileBytes(kRootFile, "stays");
}

TEST(SystemMigration, TakenOverCleanedUpOrLeftAlone)
{
    Restore restore;
    const std::string longMain = "c:\\orvanet\\" + std::string(150, 'm');  // taken over whole
    // version: register.ini's "Version" afterwards ("none": not there).
    const struct { std::string main; const char* key; const char* dialer; std::function<void()> spoil;
                   int result; bool migrated; std::string ini, version; } cases[] = {
        { "c:\\orvanet", "Tessimo", "c:\\olddial", nullptr, 1, true, kFiltered, "none" },
        { longMain, "Dialer", "c:\\olddial", nullptr, 1, true, kFiltered, "none" },
        { "c:\\orvanet", "Dialer", "C:\\", nullptr, 1, true, kHead + kSpsd + kTcprac + kEnd, "none" },
        { "c:\\orvanet", "Dialer", "c:\\olddial", [] { WriteProfileStringA(kSection, "Main", NULL); }, 0,
          false, kSystemIni, "3.1" },
        { "c:\\orvanet", "Dialer", "c:\\olddial",
          [] { WriteFileBytes("c:\\orvanet\\register\\register.ini", "[Velorin Registration]\r\n"); }, 0,
          false, kSystemIni, "none" },
        { "c:\\orvanet", "Dialer", "c:\\olddial",
          [] { WriteFileBytes(kWin + "SYSTEM.OLD", "old"), SetReadOnly(kWin + "SYSTEM.OLD"); }, 0, true,
          kSystemIni, "" },
    };
    for (const auto& c : cases) {
        ResetMachine();
        PlantEarlierInstall(c.main, c.key, c.dialer);
        if (c.spoil)
            c.spoil();
        PrepareInstall("c:\\typed");
        StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
        EXPECT_EQ(c.result, MigratePreviousInstall(setupState.progressDialog)) << c.main << c.dialer;
        EXPECT_EQ(c.migrated ? 1u : 0u, StopBoxAnswerer().size());
        EXPECT_EQ(c.migrated ? c.main : "c:\\typed", std::string(setupState.installDir));
        char keys[8], version[8];
        EXPECT_EQ(c.migrated, GetProfileStringA(kSection, NULL, "", keys, sizeof keys) == 0);
        EXPECT_EQ(c.migrated, !PathExists(kWin + "vez.ini"));
        EXPECT_EQ(c.ini, ReadFileBytes(kWin + "system.ini"));
        EXPECT_EQ(c.result ? c.ini : c.migrated ? "old" : "", ReadFileBytes(kWin + "SYSTEM.OLD"));
        GetPrivateProfileStringA("Velorin Registration", "Version", "none", version, 8, (c.main + "\\register\\register.ini").c_str());
        EXPECT_EQ(c.version, version);
        // Files go, dot-files and sub-directories stay; directories go inside out.
        EXPECT_EQ(c.result ? Lines({ ".hidden", "sub" }) : Lines({ ".hidden", "register.ini", "sub" }),
                  Listing(c.main + "\\register"));
        EXPECT_EQ(c.result && c.dialer[0] == 'c', !PathExists("c:\\olddial"));
        EXPECT_TRUE(PathExists(kRootFile));
    }
}

// The directory the user typed gives way to the earlier one; the earlier
// group is replaced by one holding the one item.
TEST(SystemMigration, UpgradeThroughSetupExe)
{
    Restore restore;
    char programs[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs));
    const std::string group = std::string(programs) + "\\Velorin";
    ASSERT_TRUE(MakeDirs(group + "\\Extras") && WriteFileBytes(group + "\\Old.lnk", "old"));
    PlantEarlierInstall("c:\\orvanet", "Dialer", "c:\\olddial");
    PrepareInstall("c:\\typed");
    // The shell links only to a program that exists.
    ASSERT_TRUE(MakeDirs("c:\\orvanet\\corvex") && WriteFileBytes("c:\\orvanet\\corvex\\corvex.exe", "MZ"));
    HWND page;
    Program p = StartSetup("d:\\", "c:\\typed", &page);
    EXPECT_EQ(AnswerBox(p, IDOK),
        "box \"Velorin\" icon=information buttons=OK \"Thank you for upgrading to Velorin for Windows 95.\\r\\n"
        "\\r\\n1. You will no longer be using the Internet Dialer to connect to Orvanta Network. Follow the "
        "on-line instructions to learn how to use Dial-Up Networking, the built-in tool for Windows 95.\\r\\n"
        "\\r\\n2. Your Netscape Navigator will be upgraded to the newest version, but your bookmarks and "
        "news files will be retained.\"");
    EXPECT_EQ(WaitExit(p), 0);
    EXPECT_EQ(kFiltered, ReadFileBytes(kWin + "system.ini"));
    EXPECT_EQ("nsystem.z", ReadFileBytes("c:\\orvanet\\corvex\\nsystem.z"));
    EXPECT_FALSE(PathExists("c:\\typed") || PathExists("c:\\olddial"));
    EXPECT_EQ("SZ TRUE", RegistryValues()["VL31Eudora"]);
    EXPECT_EQ(Lines{ "Registration & Utilities.lnk" }, Listing(group));
    std::string link = ReadFileBytes(group + "\\Registration & Utilities.lnk");
    CharLowerBuffA(&link[0], (DWORD)link.size());
    EXPECT_NE(std::string::npos, link.find("c:\\orvanet\\corvex\\corvex.exe"));
}

}  // namespace
