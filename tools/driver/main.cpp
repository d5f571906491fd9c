// driver.exe SCENARIO TRANSCRIPT PROGRAM [ARGS...]
// Starts PROGRAM in its own folder, plays SCENARIO against its windows and
// writes TRANSCRIPT. Exit status 0 when the scenario played to its end, 1 when
// a step failed (the program is then terminated), 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <string>

#include "player.h"
#include "scenario.h"

namespace {

// Quotes one argument the way the C runtime splits command lines.
std::string QuoteArg(const std::string& a)
{
    if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos)
        return a;
    std::string q = "\"";
    size_t slashes = 0;
    for (char c : a) {
        if (c == '\\') {
            slashes++;
            continue;
        }
        q.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
        slashes = 0;
        q += c;
    }
    q.append(slashes * 2, '\\');
    return q + "\"";
}

int ReadWholeFile(const char* path, std::string* out)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return 0;
    char buf[4096];
    size_t n;
    out->clear();
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out->append(buf, n);
    fclose(f);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: driver SCENARIO TRANSCRIPT PROGRAM [ARGS...]\n");
        return 2;
    }
    Transcript t;
    t.file = fopen(argv[2], "wb");
    if (!t.file) {
        fprintf(stderr, "driver: cannot write %s\n", argv[2]);
        return 2;
    }

    std::string text, error;
    std::vector<ScenarioLine> lines;
    if (!ReadWholeFile(argv[1], &text)) {
        AddTranscriptLine(&t, std::string("FAIL cannot read scenario ") + argv[1] + " (waited 0 ms)");
        fclose(t.file);
        return 1;
    }
    if (!ParseScenario(text, &lines, &error)) {
        AddTranscriptLine(&t, "FAIL scenario " + error + " (waited 0 ms)");
        fclose(t.file);
        return 1;
    }

    char full[MAX_PATH * 4];
    char* namePart = NULL;
    DWORD len = GetFullPathNameA(argv[3], sizeof full, full, &namePart);
    if (!len || len >= sizeof full || !namePart) {
        AddTranscriptLine(&t, std::string("FAIL start ") + argv[3] + " (waited 0 ms)");
        fclose(t.file);
        return 1;
    }
    std::string program = full;
    std::string folder(full, namePart - full);
    std::string cmd = QuoteArg(program);
    for (int i = 4; i < argc; i++)
        cmd += " " + QuoteArg(argv[i]);

    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string cmdBuf = cmd;
    if (!CreateProcessA(program.c_str(), &cmdBuf[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                        &si, &pi)) {
        AddTranscriptLine(&t, "FAIL start " + program + " (waited 0 ms)");
        fclose(t.file);
        return 1;
    }
    CloseHandle(pi.hThread);

    int played = PlayScenario(lines, pi.hProcess, pi.dwProcessId, &t);
    if (!played) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hProcess);
    fclose(t.file);
    return played ? 0 : 1;
}
