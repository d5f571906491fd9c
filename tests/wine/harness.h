// Helpers for Win32 GoogleTest tests that run under Wine: the machine state a
// test may touch, files and media, driver scenarios against setup.exe, and
// answering the test process's own message boxes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Puts the machine back as a fresh prefix has it: removes the WIN.INI section
// "Orvanta Network Velorin", HKLM\Software\OrvantaNetwork (whole tree), the
// Start Menu group folder "Velorin", c:\orvanet, the corvex log, and closes
// explorer's "Velorin" group window. Runs before and after every test.
void ResetMachine();

// Whole file as bytes; "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces path with data. true on success.
bool WriteFileBytes(const std::string& path, const std::string& data);
// Copies a file, replacing the target. true on success.
bool CopyFileTo(const std::string& from, const std::string& to);
// Creates a folder and any missing parents. true when it exists afterwards.
bool MakeDirs(const std::string& path);
// true when path names an existing file or folder.
bool PathExists(const std::string& path);

// Windows paths of this build's programs, from VELORIN_SETUP_EXE,
// VELORIN_DRIVER_EXE and VELORIN_CORVEX_EXE ("" when unset).
std::string SetupExePath();
std::string DriverExePath();
std::string CorvexExePath();
// The file corvex.exe appends to: VELORIN_CORVEX_LOG or C:\corvex-log.txt.
std::string CorvexLogPath();
// Its contents ("" when it was not started).
std::string CorvexLog();

struct ScenarioResult {
    int driverExit;          // 0 played to the end, 1 a step failed, -1 driver hung or missing
    std::string transcript;  // transcript lines joined by "\n", no final newline
};

// Runs driver.exe with scenario against program (a path, started in its own
// folder) and returns its exit status and transcript. A driver that runs
// longer than timeoutMs is ended.
ScenarioResult RunScenario(const std::string& program, const std::string& scenario,
                           DWORD timeoutMs = 60000);
// The same, with arguments for the program.
ScenarioResult RunScenarioWithArgs(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& scenario, DWORD timeoutMs = 60000);

// A message box of the test process, read as the driver's `box` command does.
struct BoxInfo {
    std::string caption, text, icon, buttons;
};

// Starts a thread that answers every message box this process shows: decide
// gets each box (it may change the machine, e.g. swap floppy folders) and
// returns the id of the button to press (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No).
void StartBoxAnswerer(std::function<int(const BoxInfo&)> decide);
// Stops the answerer; returns the `box ...` lines of the boxes seen, in order
// (a press that failed adds a "FAIL answer ID" line).
std::vector<std::string> StopBoxAnswerer();

// Writes size bytes of deterministic pseudo-random content (same seed, same
// bytes). true on success.
bool MakeFileOfSize(const std::string& path, uint32_t size, uint32_t seed);
// Makes a file read-only as it is for a Windows user: the read-only
// attribute, and, since the tests run as root, whom Wine lets write such
// files anyway, the host's immutable flag too. true when the file can then
// not be opened for writing.
bool SetReadOnly(const std::string& path);
// Undoes SetReadOnly (also for a whole folder tree). true on success.
bool ClearReadOnly(const std::string& path);
