// The system integration under Wine: in process, the DDE client against a server of the test's
// own and the migration; through setup.exe, the whole machine before and after a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <shlobj.h>
#include <shlwapi.h>

#include "engine.h"
#include "harness.h"
#include "install_fixtures.h"
#include "migration.h"
#include "progman.h"
#include "remove_directory_files.h"
#include "setup_state.h"

namespace {

typedef std::vector<std::string> Lines;

// A medium in d:\ with an offer in its setup.ini, and the state the front end leaves.
void PrepareInstall(
    const char* setupIni = "[Velorin]\nIsRegNoAPrefix=Yes\nRegNo=O-1\nHomePage=h.htm"
                           "\nHDHomePage=x\nSetupFee=$5\nFreeHours=9\nFreeDays=30\n") {
    PrepareSetupState("d:\\", "c:\\orvanet");
    WriteMedium("d:\\", StandardMedium(false, {}), 0);
    WriteFileBytes("d:\\setup.ini", setupIni);
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

LRESULT CALLBACK Serve(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND client = (HWND)wParam;
    HGLOBAL data = (HGLOBAL)lParam;
    ATOM service = GlobalFindAtomA(TEST_PROGMAN_SERVICE), topic = GlobalFindAtomA("PROGMAN");
    if (message == WM_DDE_INITIATE && LOWORD(lParam) == service && HIWORD(lParam) == topic) {
        server.received.push_back("connect");
        SendMessageA(client, WM_DDE_ACK, (WPARAM)window,
            MAKELPARAM(GlobalAddAtomA(TEST_PROGMAN_SERVICE), GlobalAddAtomA("PROGMAN")));
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

DWORD WINAPI RunServer(void* ready) {
    WNDCLASSA type = { 0, Serve, 0, 0, NULL, NULL, NULL, NULL, NULL, "VelorinTestServer" };
    RegisterClassA(&type);  // fails harmlessly from the second server on
    CreateWindowA(type.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    SetEvent(ready);
    for (MSG message; GetMessageA(&message, NULL, 0, 0) > 0;) DispatchMessageA(&message);
    return 0;
}

// The group's failure costs the installation nothing and shows nothing; a
// critical error is the one thing shown. Only "YES" makes the number a prefix.
TEST(SystemInstall, SendsTheGroupsCommands) {
    const std::string zero(1, '\0'),
        exe = "c:\\orvanet\\corvex\\corvex.exe", connect = "connect",
        del = "[DeleteGroup(Velorin)]" + zero, create = "[CreateGroup(Velorin)]" + zero,
        add = "[AddItem(" + exe + ", Registration & Utilities, " + exe + ")]" + zero;
    // clang-format off
    const struct { const char* name; bool accept; std::string endAfter; Lines received; } rows[] = {
        { "all refused: each sent once, one connect", false, "", { connect, del, create, add } },
        { "ended after the delete command, the create command connects again", true, del,
          { connect, del, connect, create, add } },
    };
    // clang-format on
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PrepareInstall("[Velorin]\nIsRegNoAPrefix=y\nRegNo=7\nHDHomePage=x\n");
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
    EXPECT_EQ(Lines{ "box \"Velorin Installation\" icon=warning buttons=OK \"A critical error has "
                     "occurred.\"" },
        StopBoxAnswerer());
    // No home page, so no local copy of it; absent keys write nothing.
    EXPECT_EQ(SnapshotMachine()["HKLM\\Software\\OrvantaNetwork\\Velorin"],
        "key \"Flags\"=dword:00000010 \"MainDir\"=\"c:\\\\orvanet\" \"RegNo\"=\"7\"");
}

const char kSection[] = "Orvanta Network Velorin";
// clang-format off
const std::string kWin = "c:\\windows\\", kOrvanet = "c:\\orvanet\\register\\",
    kOld = "c:\\olddial\\";
// The old dialer's lines in [boot] and [386Enh], the TCP driver's, and a dialer line of empty
// Dialer and Tessimo values.
const std::string kSpsd = "device=c:\\olddial\\bin\\vntspsd.386\r\n",
    kTcprac = "DEVICE=C:\\OLDDIAL\\BIN\\VTCPRAC.386\r\n", kBin = "device=\\bin\\vtcprac.386\r\n",
    kTcp = "device=c:\\orvanet\\tcppro\\bin\\vntstimd.exe\r\n", kEnd = "x=1\r\n",
    kHead = "[boot]\r\n" + kSpsd + "[386Enh]\r\n",
    kSystemIni = kHead + kSpsd + kTcprac + kTcp + kBin + kEnd,
    kNoTcp = kHead + kSpsd + kTcprac + kBin + kEnd, kNoBin = kHead + kSpsd + kTcprac + kEnd;
const std::string kNotice = "box \"Velorin\" icon=information buttons=OK \"Thank you for upgrading "
    "to Velorin for Windows 95.\\r\\n\\r\\n1. You will no longer be using the Internet Dialer to "
    "connect to Orvanta Network. Follow the on-line instructions to learn how to use Dial-Up "
    "Networking, the built-in tool for Windows 95.\\r\\n\\r\\n2. Your Netscape Navigator will be "
    "upgraded to the newest version, but your bookmarks and news files will be retained.\"";
// clang-format on

// A folder as the registry names it: a shell folder by default.
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
std::string Folder(
    const char* value, HKEY root = HKEY_CURRENT_USER, const char* key = kShellFolders) {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    SHGetValueA(root, key, value, NULL, text, &size);
    return text;
}
// The user's own folder, which holds the Desktop.
const std::string kProfile = Folder("Desktop").substr(0, Folder("Desktop").rfind('\\'));

// Puts SYSTEM.INI back and removes what these tests add beyond ResetMachine: the files they
// planted and the folders a dialer value derives.
struct Restore {
    std::string systemIni = ReadFileBytes(kWin + "system.ini");
    std::vector<std::string> planted;
    bool Plant(const std::string& file, const std::string& data = "f") {
        planted.push_back(file);
        return MakeDirs(file.substr(0, file.rfind('\\'))) && WriteFileBytes(file, data);
    }
    ~Restore() {
        WriteFileBytes(kWin + "system.ini", systemIni);
        planted.insert(planted.end(),
            { kWin + "SYSTEM.OLD", kWin + "f.dat", "c:\\f.dat", kProfile + "\\f.dat" });
        for (const std::string& file : planted) DeleteTree(file);
        for (const std::string& dir : { "c:\\olddial", "c:\\docs", "c:\\elsewhere" })
            DeleteTree(dir);
        for (const std::string& dir : { std::string("c:"), kWin.substr(0, 10), kProfile })
            for (const char* sub : { "\\bin", "\\app", "\\etc" }) DeleteTree(dir + sub);
    }
};

// An earlier installation in main, its dialer given by key: register.ini with version, a dot-file
// and a sub-folder in register, a file in each of the dialer's folders, a driver in its bin.
void PlantEarlierInstall(Restore& restore, const std::string& main, const char* key,
    const std::string& dialer, const std::string& version = "3.1") {
    WriteProfileStringA(kSection, "Main", main.c_str());
    WriteProfileStringA(kSection, key, dialer.c_str());
    WriteProfileStringA(kSection, "Eudora", "c:\\eudora");
    WriteProfileStringA(NULL, NULL, NULL);
    MakeDirs(main + "\\register\\sub");
    restore.Plant(
        main + "\\register\\register.ini", "[Velorin Registration]\r\nVersion=" + version + "\r\n");
    restore.Plant(main + "\\register\\.hidden");
    restore.Plant(main + "\\register\\f.dat");
    std::string folder = dialer;  // its folders as the system names them
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (std::string dir : { "\\bin", "\\app", "\\etc", "" })
        restore.Plant(folder + dir + "\\f.dat");
    restore.Plant(folder + "\\bin\\vntspsd.386");
    restore.Plant(kWin + "vez.ini", "[vez]\r\n");
    WriteFileBytes(kWin + "system.ini", kSystemIni);
}

// The names in the Windows folder, lower-cased.
std::set<std::string> WindowsFolderFiles() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((kWin + "*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        names.insert(CharLowerA(found.cFileName));
    FindClose(search);
    return names;
}

// An earlier installation's folders are emptied while they are its own: the register folder
// while it holds its register.ini, the dialer's while its bin folder holds a driver, neither
// when the value naming it may have been cut. SYSTEM.INI holds its old text or its new one,
// whole; SYSTEM.OLD ends with the new one, and no other file is left in the Windows folder.
TEST(SystemMigration, EmptiesOnlyTheEarlierInstallationsFolders) {
    enum Fault { NONE, OLD_READ_ONLY, INI_HELD };
    const std::string orvanet = "c:\\orvanet",
                      cut = "c:\\docs" + std::string(248, ' ') + "\\olddial";
    // What goes: vez.ini and the register folder's files, and with them the old dialer's.
    std::vector<std::string> some = { kWin + "vez.ini", kOrvanet + "register.ini",
        kOrvanet + "f.dat" },
                             all = some;
    for (const char* file :
        { "f.dat", "bin\\f.dat", "app\\f.dat", "etc\\f.dat", "bin\\vntspsd.386" })
        all.push_back(kOld + file);
    // clang-format off
    // The text SYSTEM.INI ends with, and SYSTEM.OLD too when the migration ran to its end.
    const struct { const char* name; std::string main, dialer, version; Fault fault; int result;
                   std::string ini; std::vector<std::string> gone; } rows[] = {
        { "the dialer's, its value ending in \\", orvanet, kOld, "3.1", NONE, 1, kNoTcp, all },
        { "c:\\ as the dialer, no driver", orvanet, "c:\\", "3.1", NONE, 1, kNoTcp, some },
        { "a dialer value cut at its read limit", orvanet, cut, "3.1", NONE, 1, kNoTcp, some },
        { "Dialer and Tessimo empty", orvanet, "", "3.1", NONE, 1, kNoBin, some },
        { "Version present but empty", orvanet, kOld, "", NONE, 0, kSystemIni, {} },
        { "no register.ini", "c:\\elsewhere", kOld, "3.1", NONE, 0, kSystemIni, {} },
        { "SYSTEM.OLD read-only", orvanet, kOld, "3.1", OLD_READ_ONLY, 0, kSystemIni, { some[0] } },
        { "SYSTEM.INI held open", orvanet, kOld, "3.1", INI_HELD, 0, kSystemIni, { some[0] } },
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetMachine();
        Restore restore;
        lstrcpyA(setupState.sourceDir, "d:\\");
        PlantEarlierInstall(restore, orvanet, "Dialer", "c:\\olddial", row.version);
        WriteProfileStringA(kSection, "Main", row.main.c_str());
        WriteProfileStringA(kSection, "Dialer", row.dialer.empty() ? NULL : row.dialer.c_str());
        for (const char* file : { "c:\\bin\\f.dat", "c:\\etc\\f.dat", "c:\\docs\\f.dat" })
            ASSERT_TRUE(restore.Plant(file));
        ASSERT_TRUE(row.fault != OLD_READ_ONLY || (restore.Plant(kWin + "SYSTEM.OLD", "old") &&
                                                      SetReadOnly(kWin + "SYSTEM.OLD")));
        const std::string ini = kWin + "system.ini";
        HANDLE held = row.fault != INI_HELD
                          ? NULL
                          : CreateFileA(ini.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        std::set<std::string> files = WindowsFolderFiles();
        files.insert("system.old");
        StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
        EXPECT_EQ(row.result, MigratePreviousInstall(NULL));
        CloseHandle(held);
        // The notice, then vez.ini goes.
        EXPECT_EQ(row.gone.empty() ? Lines{} : Lines{ kNotice }, StopBoxAnswerer());
        EXPECT_EQ(row.ini, ReadFileBytes(kWin + "system.ini"));
        const std::string old = row.fault == OLD_READ_ONLY ? "old"
                                : row.fault == INI_HELD    ? kNoTcp
                                : row.result               ? row.ini
                                                           : "";
        EXPECT_EQ(old, ReadFileBytes(kWin + "SYSTEM.OLD"));
        for (const std::string& file : WindowsFolderFiles()) EXPECT_TRUE(files.count(file)) << file;
        for (const std::string& file : restore.planted)
            EXPECT_EQ(std::count(row.gone.begin(), row.gone.end(), file) == 0, PathExists(file))
                << file;
        EXPECT_TRUE(PathExists(kOrvanet + ".hidden") && PathExists(kOrvanet + "sub"));
    }
}

// Every name of a folder the clean-up must not empty, each a real folder with a file f.dat, still
// there afterwards: the Windows and system folders and what lies inside them, by their texts and
// through m:, the drive onto c:; roots; setup's own folder on the medium (long-named, so that it
// has a short form of its own) and a folder holding it; the user's shell folders as the registry
// names them and by another name, and the folder holding them. Only the plain dialer folder goes,
// its sub-folders named with the doubled backslash of a Dialer value that ends in one.
TEST(SystemMigration, GuardKeepsEveryNameOfAProtectedFolder) {
    Restore restore;
    const std::string medium = "d:\\Velorin Medium\\disk1", personal = Folder("Personal"),
                      programs = Folder("ProgramFilesDir", HKEY_LOCAL_MACHINE,
                          "Software\\Microsoft\\Windows\\CurrentVersion");
    ASSERT_TRUE(MakeDirs(medium));
    lstrcpyA(setupState.sourceDir, "d:\\velorin medium\\disk1\\");
    char shortMedium[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(medium.c_str(), shortMedium, MAX_PATH));
    ASSERT_STRNE(shortMedium, medium.c_str());
    ASSERT_EQ(Folder("Desktop"), kProfile + "\\Desktop");
    // clang-format off
    const struct { std::string text, folder; } rows[] = {
        { "c:\\windows\\.", kWin }, { "C:/WINDOWS", kWin }, { "c:\\windows\\system32\\..", kWin },
        { "C:\\WINDOWS.", kWin }, { "m:\\windows", kWin },
        { "c:\\windows\\fonts", kWin + "fonts\\" }, { "M:\\WINDOWS\\FONTS", kWin + "fonts\\" },
        { "m:\\windows\\system32\\drivers", kWin + "system32\\drivers\\" }, { "c:\\.", "c:\\" },
        { "d:\\.", "d:\\" }, { medium + "\\", medium + "\\" }, { shortMedium, medium + "\\" },
        { "D:\\VELORIN MEDIUM", "d:\\Velorin Medium\\" },
        { Folder("Desktop"), Folder("Desktop") + "\\" },
        { "m" + personal.substr(1), personal + "\\" },
        { "m" + kProfile.substr(1), kProfile + "\\" }, { programs, programs + "\\" },
        { "m" + programs.substr(1) + "\\common files", programs + "\\Common Files\\" },
    };
    // clang-format on
    for (const auto& row : rows) ASSERT_TRUE(restore.Plant(row.folder + "f.dat")) << row.folder;
    for (const auto& row : rows) {
        RemoveDirectoryFiles(row.text.c_str());
        EXPECT_TRUE(PathExists(row.folder + "f.dat")) << row.text;
    }
    ASSERT_TRUE(restore.Plant(kOld + "bin\\f.dat"));
    for (const char* dir : { "c:\\olddial\\\\bin", "c:\\olddial\\" }) RemoveDirectoryFiles(dir);
    EXPECT_FALSE(PathExists("c:\\olddial"));
}

// Only the installation's folders, files and values, its group and what the migration names;
// a cancelled copy leaves its folders and files, no more. A hostile earlier installation names,
// as its dialer, the Windows folder, the user's folder and c:\ through m:, each with a driver in
// its bin: only the dialer's own folders of the last two go.
TEST(SystemMachine, ChangesNothingElse) {
    char programs[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs));
    const std::string group = std::string(programs) + "\\Velorin\\",
                      main = "c:\\orvanet\\" + std::string(80, 'm'), profile = kProfile,
                      user = "m" + kProfile.substr(1);
    // clang-format off
    struct Row { const char* name; bool upgrade, cancel; const char* key;
        std::string dialer, gone; };
    const Row rows[] = {
        { "plain installation", false, false },
        { "upgrade", true, false, "Tessimo", "c:\\olddial", "c:\\olddial*" },
        { "hostile upgrade: the Windows folder", true, false, "Dialer", "M:\\WINDOWS\\" },
        { "hostile upgrade: the user's folder", true, false, "Dialer", user,
          profile + "\\bin*;" + profile + "\\app*;" + profile + "\\etc*" },
        { "hostile upgrade: c:\\", true, false, "Dialer", "m:\\", "c:\\bin*;c:\\app*;c:\\etc*" },
        { "cancelled half way", false, true },
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetMachine();
        Restore restore;
        const std::string winIni = ReadFileBytes(kWin + "win.ini");
        const std::string dir = (row.upgrade ? main : "c:\\orvanet") + "\\corvex";
        PrepareInstall();
        // By what a path may hold afterwards ("*" anything, "" nothing), the paths setup.exe may
        // change (file-name wildcards, ';' between them), and the empty key Wine's shell makes for
        // a group's window when it gets round to it, even during a later run.
        std::map<std::string, std::string> may = { { "*",
                                                       "c:\\orvanet;d:\\SETUP.EXE;" + dir + "*" },
            { "key", "HK*\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced" } };
        if (!row.cancel)
            may["*"] += ";HKLM\\Software\\OrvantaNetwork\\Velorin*;"
                        "c:\\users\\*\\Start Menu\\Programs\\Velorin*";
        if (row.upgrade) {
            PlantEarlierInstall(restore, main, row.key, row.dialer);
            ASSERT_TRUE(MakeDirs(group + "Extras") && WriteFileBytes(group + "Old.lnk", "old"));
            ASSERT_EQ(0, RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork\\Velorin",
                             "RegNo", REG_SZ, "R", 2));
            // The shell links only to a program that exists.
            ASSERT_TRUE(MakeDirs(dir) &&
                        CopyFileA(CorvexExePath().c_str(), (dir + "\\corvex.exe").c_str(), FALSE));
            // The registration program stand-in's log; register.ini goes with its folder's files.
            may["*"] += ";c:\\corvex-log.txt;c:\\windows\\win.ini;c:\\windows\\system.*";
            may[""] = "c:\\windows\\vez.ini;" + main + "\\register\\register.ini;" + main +
                      "\\register\\f.dat;" + row.gone;
        }
        if (row.cancel) {  // a gigabyte of zeros that takes no room on the medium
            HANDLE f = CreateFileA("d:\\javaclss.z", GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
            ASSERT_TRUE(
                SetFilePointer(f, 1 << 30, NULL, FILE_BEGIN) && SetEndOfFile(f) && CloseHandle(f));
        }
        Snapshot before = SnapshotMachine();
        HWND page;
        Program p = StartSetup("d:\\", row.upgrade ? "c:\\typed" : "", &page);
        std::string notice = row.upgrade ? AnswerBox(p, IDOK) : "";
        if (row.cancel) Press(page, IDC_CANCEL_SETUP), AnswerBox(p, IDYES);
        EXPECT_EQ(WaitExit(p), 0);
        Snapshot after = SnapshotMachine(), both = before;
        both.insert(after.begin(), after.end());
        for (const auto& entry : both) {
            const std::string &path = entry.first, was = before[path], is = after[path];
            if (was != is && !PathMatchSpecA(path.c_str(), may["*"].c_str()) &&
                !PathMatchSpecA(path.c_str(), may[is].c_str()))
                ADD_FAILURE() << path << ": " << (was.empty() ? "absent" : was) << " -> "
                              << (is.empty() ? "absent" : is);
        }
        if (row.upgrade) {  // what the migration leaves is checked in process, above
            EXPECT_EQ(winIni, ReadFileBytes(kWin + "win.ini"));  // loses the section, and only that
            EXPECT_EQ(notice, kNotice);
            // The earlier directory, long, replaces the typed one whole; its group is replaced by
            // one with the one item; the medium's offer is recorded, an earlier value it does not
            // replace stays.
            const std::string saved = "c:\\\\orvanet\\\\" + std::string(80, 'm');  // in a hive
            // clang-format off
            EXPECT_EQ(after["HKLM\\Software\\OrvantaNetwork\\Velorin"],
                      "key \"Flags\"=dword:00000010 \"FreeDays\"=\"30\" \"FreeHours\"=\"9\" "
                      "\"HomePage\"=\"h.htm\" \"LocalURLPath\"=\"" + saved + "\\\\www\\\\h.htm\" "
                      "\"MainDir\"=\"" + saved + "\" \"RegNo\"=\"R\" \"RegNoPrefix\"=\"O-1\" "
                      "\"SetupFee\"=\"$5\" \"VL31Eudora\"=\"TRUE\"");
            // clang-format on
            EXPECT_FALSE(PathExists(group + "Old.lnk") || PathExists(group + "Extras"));
            std::string link = ReadFileBytes(group + "Registration & Utilities.lnk");
            CharLowerBuffA(&link[0], (DWORD)link.size());
            EXPECT_NE(std::string::npos, link.find(main + "\\corvex\\corvex.exe"));
        }
        const std::string copy = after[dir + "\\javaclss.z"];  // stopped before a chunk
        EXPECT_TRUE(!row.cancel || std::stoul(copy.substr(copy.rfind(' '))) % 32000 == 0) << copy;
    }
}

}  // namespace
