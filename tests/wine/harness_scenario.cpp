// Running driver.exe scenarios from a test, and where this build's programs are.
#include <windows.h>

#include "file_ops.h"
#include "harness.h"

namespace {

std::string EnvOr(const char* name, const char* fallback)
{
    char buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf)
        return fallback;
    return buf;
}

std::string Quote(const std::string& s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s;
    return "\"" + s + "\"";
}

std::string TempName(const char* what)
{
    static LONG counter = 0;
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    char name[MAX_PATH + 64];
    wsprintfA(name, "%svelorin-%s-%lu-%ld.txt", dir, what, GetCurrentProcessId(),
              InterlockedIncrement(&counter));
    return name;
}

}  // namespace

std::string SetupExePath() { return EnvOr("VELORIN_SETUP_EXE", ""); }
std::string DriverExePath() { return EnvOr("VELORIN_DRIVER_EXE", ""); }
std::string CorvexExePath() { return EnvOr("VELORIN_CORVEX_EXE", ""); }
std::string CorvexLogPath() { return EnvOr("VELORIN_CORVEX_LOG", "C:\\corvex-log.txt"); }
std::string CorvexLog() { return ReadFileBytes(CorvexLogPath()); }

ScenarioResult RunScenario(const std::string& program, const std::string& scenario, DWORD timeoutMs)
{
    return RunScenarioWithArgs(program, {}, scenario, timeoutMs);
}

ScenarioResult RunScenarioWithArgs(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& scenario, DWORD timeoutMs)
{
    ScenarioResult result = {-1, ""};
    std::string driver = DriverExePath();
    if (driver.empty()) {
        result.transcript = "FAIL VELORIN_DRIVER_EXE is not set";
        return result;
    }
    std::string scn = TempName("scenario"), trn = TempName("transcript");
    if (!WriteFileBytes(scn, scenario)) {
        result.transcript = "FAIL cannot write " + scn;
        return result;
    }
    DeletePath(trn);

    // The driver and the program it starts share a job, so a hung run can be
    // ended whole.
    HANDLE job = CreateJobObjectA(NULL, NULL);
    std::string cmd = Quote(driver) + " " + Quote(scn) + " " + Quote(trn) + " " + Quote(program);
    for (const std::string& a : args)
        cmd += " " + Quote(a);
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, NULL, &si, &pi)) {
        result.transcript = "FAIL cannot start " + driver;
        CloseHandle(job);
        return result;
    }
    if (job)
        AssignProcessToJobObject(job, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        result.driverExit = (int)code;
    } else {
        if (job)
            TerminateJobObject(job, 1);
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hProcess);
    if (job)
        CloseHandle(job);

    std::string raw = ReadFileBytes(trn), joined;
    for (char c : raw)
        if (c != '\r')
            joined += c;
    while (!joined.empty() && joined.back() == '\n')
        joined.pop_back();
    if (result.driverExit == -1)
        joined += std::string(joined.empty() ? "" : "\n") + "FAIL driver still running after " +
                  std::to_string(timeoutMs) + " ms";
    result.transcript = joined;
    DeletePath(scn);
    DeletePath(trn);
    return result;
}
