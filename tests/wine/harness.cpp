#include "harness.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <utility>

namespace {

std::string Env(const char* name) {
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// The host's path of a Windows path, through Wine's own kernel32 export.
std::string HostPath(const std::string& path) {
    auto unixName = (char*(CDECL*)(const WCHAR*))GetProcAddress(
        GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    char* host = NULL;
    if (unixName && MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        host = unixName(wide);
    std::string result = host ? host : "";
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Runs command under the host's sh; true once it has ended. Wine gives no handle to wait on
// for a host program, so the command removes a marker file, which is waited for.
bool RunOnHost(const std::string& command) {
    char marker[MAX_PATH];
    if (!GetTempFileNameA("c:\\windows\\temp", "host", 0, marker)) return false;
    std::string line = "Z:\\bin\\sh -c \"" + command + "; rm '" + HostPath(marker) + "'\"";
    STARTUPINFOA si = { sizeof si };
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 1000 && PathExists(marker); ++i) Sleep(10);
    return !PathExists(marker);
}

extern "C" LONG NTAPI RtlAdjustPrivilege(ULONG, BOOLEAN enable, BOOLEAN thread, BOOLEAN* was);
// Adds hive's keys with their values as Wine's server writes them out, in one request (a walk
// takes one a value): "[KEY] time" and "#time" lines, then the values as in a .reg file.
void AddHive(HKEY hive, const std::string& root, Snapshot* shot) {
    const std::string file = "c:\\windows\\temp\\" + root + ".reg";
    DeleteFileA(file.c_str());
    EXPECT_EQ(ERROR_SUCCESS, RegSaveKeyA(hive, file.c_str(), NULL)) << root;
    std::string text = ReadFileBytes(file), key, *entry = &key;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = text.substr(at, end - at);
        if (line[0] == '[') {
            key = root + "\\" + line.substr(1, line.rfind(']') - 1);
            for (size_t pair = 0; (pair = key.find("\\\\", pair)) != std::string::npos; ++pair)
                key.erase(pair, 1);
            entry = &((*shot)[key] = "key");
        } else if (!line.empty() && line[0] != '#')
            *entry += " " + line;
    }
}

// The box answerer's thread and what it saw, read once the thread has been joined.
std::thread answerer;
std::atomic<bool> stopAnswering;
std::vector<std::string> seen;

}  // namespace

void DeleteTree(const std::string& path) {
    ClearReadOnly(path);
    std::string from = path + '\0';
    SHFILEOPSTRUCTA op = { NULL, FO_DELETE, from.c_str(), NULL,
        FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT };
    SHFileOperationA(&op);
}

void ResetMachine() {
    // Wine's explorer opens a folder window for every group it creates; a few tries close them.
    HWND w;
    for (int i = 0; i < 10 && (w = WaitPage(0, "Velorin", 0, 0)) != NULL; i++)
        SendMessageTimeoutA(w, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, NULL);
    WriteProfileStringA("Orvanta Network Velorin", NULL, NULL);
    WriteProfileStringA(NULL, NULL, NULL);  // flushes the cached WIN.INI
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork");
    char programs[MAX_PATH];
    if (SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, programs) == S_OK)
        DeleteTree(std::string(programs) + "\\Velorin");
    DeleteTree("c:\\orvanet");
    DeleteFileA("c:\\corvex-log.txt");
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
        OPEN_EXISTING, 0, NULL);
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (f != INVALID_HANDLE_VALUE && ReadFile(f, buf, sizeof buf, &got, NULL) && got > 0)
        data.append(buf, got);
    CloseHandle(f);
    return data;
}

bool WriteFileBytes(const std::string& path, const std::string& data, const FILETIME* lastWrite) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    bool ok = f != INVALID_HANDLE_VALUE &&
              WriteFile(f, data.data(), (DWORD)data.size(), &written, NULL) &&
              written == data.size() && (!lastWrite || SetFileTime(f, NULL, NULL, lastWrite));
    return CloseHandle(f) && ok;
}

bool MakeDirs(const std::string& path) {
    return SHCreateDirectoryExA(NULL, path.c_str(), NULL) == ERROR_SUCCESS || PathExists(path);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SetReadOnly(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    RunOnHost("chattr +i '" + HostPath(path) + "' 2>/dev/null");
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    return f == INVALID_HANDLE_VALUE || !CloseHandle(f);
}

bool ClearReadOnly(const std::string& path) {
    if (!PathExists(path)) return true;
    bool cleared = RunOnHost("chattr -R -i '" + HostPath(path) + "' 2>/dev/null");
    DWORD attributes = GetFileAttributesA(path.c_str());
    return SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) && cleared;
}

Snapshot SnapshotMachine() {
    Snapshot shot;
    BOOLEAN was;  // Wine writes a hive out only with the backup privilege, number 17
    EXPECT_EQ(0, RtlAdjustPrivilege(17, TRUE, FALSE, &was));
    AddHive(HKEY_LOCAL_MACHINE, "HKLM", &shot);
    AddHive(HKEY_CURRENT_USER, "HKCU", &shot);
    AddHive(HKEY_USERS, "HKU", &shot);
    const char list[] = "c:\\windows\\temp\\machine.txt";
    // Every drive but z:, the host's root, each place once under its first letter. A folder's
    // time follows its entries, which are compared themselves; a large file by its size alone.
    const std::string find = "find . -mindepth 1 -path ./windows/temp -prune -o ";
    const std::string files =
        "cd '" + HostPath("c:\\") + "..' && for d in ?:; do t=$(realpath $d); " +
        "case $d:$seen in z:*|*'<'$t'>'*) continue;; esac; seen=$seen'<'$t'>'; (cd $d/ && { " +
        find + "-type d -printf 'folder %p\\n' -o -size -16M -printf 'time %T@ %p\\n' " +
        "-o -printf 'time %T@ size %s %p\\n'; " + find + "-type f -size -16M -print0 | " +
        "xargs -0r cksum | sed 's/^/crc /; s/ / size /2'; } | sed 's| ./| '$d'/|'); done | " +
        "sed 'y|/|\\\\|' >'" + HostPath(list) + "' || exit";
    EXPECT_TRUE(RunOnHost(files)) << files;  // a failure exits before the marker goes
    std::string text = ReadFileBytes(list);
    for (size_t at = 0, end, path; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        path = text.find(":\\", at) - 1;
        std::string& entry = shot[text.substr(path, end - path)];
        entry += (entry.empty() ? "" : " ") + text.substr(at, path - 1 - at);
    }
    return shot;
}

std::string SetupExePath() { return Env("VELORIN_SETUP_EXE"); }
std::string CorvexExePath() { return Env("VELORIN_CORVEX_EXE"); }
std::string CorvexLog() { return ReadFileBytes("c:\\corvex-log.txt"); }

Program Launch(const std::string& path) {
    std::string dir = path.substr(0, path.rfind('\\') + 1), line = path;
    STARTUPINFOA si = { sizeof si };
    PROCESS_INFORMATION pi = {};
    EXPECT_TRUE(CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, dir.c_str(), &si, &pi))
        << path;
    CloseHandle(pi.hThread);
    return { pi.hProcess, pi.dwProcessId };
}

int WaitExit(Program program, DWORD ms) {
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(program.process, ms) != WAIT_OBJECT_0)
        TerminateProcess(program.process, code);
    else
        GetExitCodeProcess(program.process, &code);
    CloseHandle(program.process);
    return (int)code;
}

Program StartSetup(
    const std::string& dir, const std::string& entry, HWND* page, const std::string& program) {
    EXPECT_TRUE(CopyFileA(program.c_str(), (dir + "SETUP.EXE").c_str(), FALSE)) << program;
    Program p = Launch(dir + "SETUP.EXE");
    Press(WaitPage(p.pid, "Welcome to Velorin!", IDC_NEXT), IDC_NEXT);
    Press(WaitPage(p.pid, "Velorin Installation", IDC_CANCEL_SETUP), IDC_NEXT);
    HWND directory = WaitPage(p.pid, "Velorin Installation", IDC_DIRECTORY);
    if (!entry.empty()) SetText(directory, IDC_DIRECTORY, entry);
    Press(directory, IDC_NEXT);
    *page = WaitPage(p.pid, "Velorin Installation", IDC_PROGRESS);
    return p;
}

std::string AnswerBox(const Program& program, int id, DWORD ms) {
    HWND box = WaitBox(program.pid, ms);
    std::string line = box ? BoxLine(ReadBox(box)) : "no box";
    EXPECT_TRUE(box && Answer(box, id)) << line;
    return line;
}

void StartBoxAnswerer(std::function<int(const BoxInfo&)> decide) {
    StopBoxAnswerer();
    stopAnswering = false;
    answerer = std::thread([decide] {
        while (!stopAnswering) {
            HWND box = WaitBox(GetCurrentProcessId(), 20);
            if (!box) continue;
            BoxInfo info = ReadBox(box);
            int id = decide(info);
            seen.push_back(BoxLine(info));
            if (Answer(box, id)) continue;
            // A box the test did not expect: it is reported, and ended so that the code
            // waiting in it goes on and the test ends at once, the least harmful way first.
            seen.push_back("unexpected: no button " + std::to_string(id) + " in " + seen.back());
            for (int other : { IDCANCEL, IDNO, IDABORT, IDOK, IDIGNORE, IDYES, IDRETRY })
                if (Answer(box, other)) break;
        }
    });
}

std::vector<std::string> StopBoxAnswerer() {
    stopAnswering = true;
    if (answerer.joinable()) answerer.join();
    for (const std::string& line : seen)
        EXPECT_EQ(std::string::npos, line.find("unexpected: ")) << line;
    return std::exchange(seen, {});
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    struct Reset : testing::EmptyTestEventListener {
        void OnTestStart(const testing::TestInfo&) override { ResetMachine(); }
        void OnTestEnd(const testing::TestInfo&) override {
            StopBoxAnswerer();
            ResetMachine();
        }
    };
    testing::UnitTest::GetInstance()->listeners().Append(new Reset);
    // ctest finds the tests by scanning the sources: a program built from
    // older sources must not pass a test it does not hold.
    int status = RUN_ALL_TESTS() || testing::UnitTest::GetInstance()->test_to_run_count() == 0;
    // Ended here, without the DLLs' detach work: in that, Wine's process end
    // now and then hung after every test had run and reported.
    fflush(NULL);
    TerminateProcess(GetCurrentProcess(), status);
    return status;
}
