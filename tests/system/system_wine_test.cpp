// The system integration under Wine: in process, the DDE client against a server of the test's
// own and what the migration must not destroy; through setup.exe, the whole machine before and
// after a plain installation, an upgrade and a cancelled one.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <shlobj.h>
#include <shlwapi.h>

#include "engine.h"
#include "harness.h"
#include "../engine/media.h"
#include "migration.h"
#include "progman.h"
#include "remove_directory_files.h"
#include "setup_state.h"

namespace {

typedef std::vector<std::string> Lines;

// A medium in d:\ with an offer in its setup.ini, and the state the front end leaves.
void PrepareInstall(const char* installDir)
{
    PrepareSetupState("d:\\", installDir);
    WriteMedium("d:\\", StandardMedium(false, {}), 0);
    WriteFileBytes("d:\\setup.ini", "[Velorin]\nIsRegNoAPrefix=Yes\nRegNo=O-1\nHomePage=h.htm\nHDHomePage=x\n"
                                     "SetupFee=$5\nFreeHours=9\nFreeDays=30\n");
}

// A DDE server of the test's own on the raw messages (one made with DDEML cannot
// end a conversation itself): a hidden top-level window, since initiation is a
// broadcast to those, on a thread that pumps, since a connect waits on each that does not.
struct DdeServer {
    bool accept;           // acknowledges commands as carried out, else refuses them
    std::string endAfter;  // the command after which it ends the conversation
    Lines received;        // each conversation's start, each command's data
    std::set<HWND> ended;  // clients it left: what they send later is not carried out
} server;

LRESULT CALLBACK Serve(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND client = (HWND)wParam;
    HGLOBAL data = (HGLOBAL)lParam;
    ATOM service = GlobalFindAtomA(PROGMAN_SERVICE), topic = GlobalFindAtomA("PROGMAN");
    if (message == WM_DDE_INITIATE && LOWORD(lParam) == service && HIWORD(lParam) == topic) {
        server.received.push_back("connect");
        SendMessageA(client, WM_DDE_ACK, (WPARAM)window,
                     MAKELPARAM(GlobalAddAtomA(PROGMAN_SERVICE), GlobalAddAtomA("PROGMAN")));
    } else if (message == WM_DDE_EXECUTE && !server.ended.count(client)) {
        server.received.emplace_back((char*)GlobalLock(data), GlobalSize(data));
        GlobalUnlock(data);
        PostMessageA(client, WM_DDE_ACK, (WPARAM)window,
                     PackDDElParam(WM_DDE_ACK, server.accept ? DDE_FACK : 0, lParam));
        if (server.received.back() == server.endAfter)
            PostMessageA(client, WM_DDE_TERMINATE, (WPARAM)window, 0), server.ended.insert(client);
    } else if (message == WM_DDE_TERMINATE && !server.ended.count(client))
        PostMessageA(client, WM_DDE_TERMINATE, (WPARAM)window, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI RunServer(void* ready)
{
    WNDCLASSA type = { 0, Serve, 0, 0, NULL, NULL, NULL, NULL, NULL, "VelorinTestServer" };
    RegisterClassA(&type);  // fails harmlessly from the second server on
    CreateWindowA(type.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    SetEvent(ready);
    for (MSG message; GetMessageA(&message, NULL, 0, 0) > 0;)
        DispatchMessageA(&message);
    return 0;
}

// The group's failure costs the installation nothing and shows nothing; a
// critical error is the one thing shown. Only "YES" makes the number a prefix.
TEST(SystemInstall, SendsTheGroupsCommands)
{
    const std::string zero(1, '\0'), exe = "c:\\orvanet\\corvex\\corvex.exe", connect = "connect",
                      del = "[DeleteGroup(Velorin)]" + zero, create = "[CreateGroup(Velorin)]" + zero,
                      add = "[AddItem(" + exe + ", Registration & Utilities, " + exe + ")]" + zero;
    const struct { const char* name; bool accept; std::string endAfter; Lines received; } rows[] = {
        { "all refused: each sent once, one connect", false, "", { connect, del, create, add } },
        { "ended after the delete command, the create command connects again", true, del,
          { connect, del, connect, create, add } },
    };
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PrepareInstall("c:\\orvanet");
        WriteFileBytes("d:\\setup.ini", "[Velorin]\nIsRegNoAPrefix=y\nRegNo=7\nHDHomePage=x\n");
        server = DdeServer{ row.accept, row.endAfter, {}, {} };
        HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL),
               thread = CreateThread(NULL, 0, RunServer, ready, 0, NULL);
        WaitForSingleObject(ready, INFINITE);
        EXPECT_EQ(1, RunInstall(setupState.progressDialog));
        PostThreadMessageA(GetThreadId(thread), WM_QUIT, 0, 0);
        WaitForSingleObject(thread, INFINITE);
        EXPECT_EQ(row.received, server.received);
    }
    EXPECT_EQ(NULL, ProgmanCallback(XTYP_ERROR, 0, NULL, NULL, NULL, NULL, DMLERR_LOW_MEMORY, 0));
    EXPECT_EQ(Lines{ "box \"Velorin Installation\" icon=warning buttons=OK \"A critical error has occurred.\"" },
              StopBoxAnswerer());
    // No home page, so no local copy of it; absent keys write nothing.
    EXPECT_EQ(SnapshotMachine()["HKLM\\Software\\OrvantaNetwork\\Velorin"],
              "key \"Flags\"=dword:00000010 \"MainDir\"=\"c:\\\\orvanet\" \"RegNo\"=\"7\"");
}

const char kSection[] = "Orvanta Network Velorin";
const std::string kWin = "c:\\windows\\", kRootFile = "c:\\f.dat";
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
        for (const std::string& f : { kWin + "SYSTEM.OLD", kWin + "vez.ini", kWin + "f.dat", kRootFile })
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
// that may be cut, and then no directory goes.
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
}

// Every spelling of a folder the clean-up must not empty, each a real folder with a file f.dat,
// still there afterwards: the Windows folder, roots, the current folder (e:\cur) and texts
// relative to it, setup's own folder on the medium (long-named, so that it has a short form of
// its own) and a folder holding it. Only the plain dialer folder goes, its sub-folders named with
// the doubled backslash of a Dialer value that ends in one.
TEST(SystemMigration, GuardKeepsEverySpellingOfAProtectedFolder)
{
    Restore restore;
    const std::string medium = "d:\\Velorin Medium\\disk1";
    for (std::string dir : { medium, std::string("e:\\cur\\olddial"), std::string("e:\\olddial"),
                             std::string("c:\\olddial\\bin") })
        ASSERT_TRUE(MakeDirs(dir) && WriteFileBytes(dir + "\\f.dat", "f") &&
                    WriteFileBytes(dir + "\\..\\f.dat", "f"));
    for (std::string file : { kRootFile, kWin + "f.dat", std::string("d:\\f.dat") })
        ASSERT_TRUE(WriteFileBytes(file, "f"));
    ASSERT_TRUE(SetCurrentDirectoryA("e:\\cur"));
    lstrcpyA(setupState.sourceDir, "d:\\velorin medium\\disk1\\");
    char shortMedium[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(medium.c_str(), shortMedium, MAX_PATH));
    ASSERT_STRNE(shortMedium, medium.c_str());
    const struct { std::string text, folder; } rows[] = {
        { "c:\\windows\\.", kWin }, { "C:/WINDOWS", kWin }, { "c:\\windows\\system32\\..", kWin },
        { "C:\\WINDOWS.", kWin }, { "\\\\?\\C:\\WINDOWS", kWin }, { "c:\\.", "c:\\" }, { "d:\\.", "d:\\" },
        { ".", "e:\\cur\\" }, { "..", "e:\\" }, { "olddial", "e:\\cur\\olddial\\" },
        { "c:olddial", "c:\\olddial\\" }, { "\\olddial", "e:\\olddial\\" }, { medium + "\\", medium + "\\" },
        { shortMedium, medium + "\\" }, { "D:\\VELORIN MEDIUM", "d:\\Velorin Medium\\" },
    };
    for (const auto& row : rows) {
        RemoveDirectoryFiles(row.text.c_str());
        EXPECT_TRUE(PathExists(row.folder + "f.dat")) << row.text;
    }
    for (const char* dir : { "c:\\olddial\\\\bin", "c:\\olddial\\" })
        RemoveDirectoryFiles(dir);
    EXPECT_FALSE(PathExists("c:\\olddial"));
}

// What an upgrade leaves: the earlier directory, long, replaces the typed one whole; its traces
// go, its directories inside out; its group is replaced by one with the one item; the offer of
// the medium is recorded, and an earlier value that it does not replace stays.
void ExpectUpgraded(const std::string& notice, Snapshot& after, const std::string& main,
                    const std::string& group)
{
    EXPECT_EQ(notice,
        "box \"Velorin\" icon=information buttons=OK \"Thank you for upgrading to Velorin for Windows 95.\\r\\n"
        "\\r\\n1. You will no longer be using the Internet Dialer to connect to Orvanta Network. Follow the "
        "on-line instructions to learn how to use Dial-Up Networking, the built-in tool for Windows 95.\\r\\n"
        "\\r\\n2. Your Netscape Navigator will be upgraded to the newest version, but your bookmarks and "
        "news files will be retained.\"");
    EXPECT_EQ(kHead + kEnd, ReadFileBytes(kWin + "system.ini"));
    EXPECT_EQ(kHead + kEnd, ReadFileBytes(kWin + "SYSTEM.OLD"));
    EXPECT_FALSE(PathExists(kWin + "vez.ini") || PathExists(main + "\\register\\register.ini"));
    EXPECT_TRUE(PathExists(main + "\\register\\.hidden") && PathExists(main + "\\register\\sub"));
    EXPECT_FALSE(PathExists("c:\\olddial"));  // c:\typed, not made, is in the machine's check
    const std::string saved = "c:\\\\orvanet\\\\" + std::string(80, 'm');  // main, as a hive is saved
    EXPECT_EQ(after["HKLM\\Software\\OrvantaNetwork\\Velorin"],
              "key \"Flags\"=dword:00000010 \"FreeDays\"=\"30\" \"FreeHours\"=\"9\" \"HomePage\"=\"h.htm\" "
              "\"LocalURLPath\"=\"" + saved + "\\\\www\\\\h.htm\" \"MainDir\"=\"" + saved + "\" \"RegNo\"=\"R\" "
              "\"RegNoPrefix\"=\"O-1\" \"SetupFee\"=\"$5\" \"VL31Eudora\"=\"TRUE\"");
    EXPECT_FALSE(PathExists(group + "Old.lnk") || PathExists(group + "Extras"));
    std::string link = ReadFileBytes(group + "Registration & Utilities.lnk");
    CharLowerBuffA(&link[0], (DWORD)link.size());
    EXPECT_NE(std::string::npos, link.find(main + "\\corvex\\corvex.exe"));
}

// Only the installation's folders, files and values, its group and what the migration names;
// a cancelled copy leaves its folders and files, no more.
TEST(SystemMachine, ChangesNothingElse)
{
    char programs[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs));
    const std::string group = std::string(programs) + "\\Velorin\\",
                      main = "c:\\orvanet\\" + std::string(80, 'm');
    struct Row { const char* name; bool upgrade, cancel; };
    for (Row row : { Row{ "plain installation", false, false }, Row{ "upgrade", true, false },
                     Row{ "cancelled half way", false, true } }) {
        SCOPED_TRACE(row.name);
        ResetMachine();
        Restore restore;
        const std::string winIni = ReadFileBytes(kWin + "win.ini");
        const std::string dir = (row.upgrade ? main : "c:\\orvanet") + "\\corvex";
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
            PlantEarlierInstall(main);
            ASSERT_TRUE(MakeDirs(group + "Extras") && WriteFileBytes(group + "Old.lnk", "old"));
            ASSERT_EQ(0, RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin",
                                         "RegNo", REG_SZ, "R", 2));
            // The shell links only to a program that exists.
            ASSERT_TRUE(MakeDirs(dir) &&
                        CopyFileA(CorvexExePath().c_str(), (dir + "\\corvex.exe").c_str(), FALSE));
            // The log of the registration program's stand-in; register.ini's "Version"
            // is emptied, then the file goes with the other files of its folder.
            may["*"] += ";c:\\corvex-log.txt;c:\\windows\\win.ini;c:\\windows\\system.*";
            may[""] = "c:\\windows\\vez.ini;" + main + "\\register\\register.ini;c:\\olddial*";
        }
        if (row.cancel) {  // a gigabyte of zeros that takes no room on the medium
            HANDLE f = CreateFileA("d:\\javaclss.z", GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
            ASSERT_TRUE(SetFilePointer(f, 1 << 30, NULL, FILE_BEGIN) && SetEndOfFile(f) &&
                        CloseHandle(f));
        }
        Snapshot before = SnapshotMachine();
        HWND page;
        Program p = StartSetup("d:\\", row.upgrade ? "c:\\typed" : "", &page);
        std::string notice = row.upgrade ? AnswerBox(p, IDOK) : "";
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
        if (row.upgrade) {
            EXPECT_EQ(winIni, ReadFileBytes(kWin + "win.ini"));  // loses the section, and only that
            ExpectUpgraded(notice, after, main, group);
        }
        const std::string copy = after[dir + "\\javaclss.z"];  // stopped before a chunk
        EXPECT_TRUE(!row.cancel || std::stoul(copy.substr(copy.rfind(' '))) % 32000 == 0) << copy;
    }
}

}  // namespace
