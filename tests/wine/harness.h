// Helpers of the Win32 tests under Wine: the machine state a test may touch, files, starting
// setup.exe, and answering the test process's own boxes. Windows are driven with drive.h.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../../res/resource.h"
#include "drive.h"

// Puts back what a fresh prefix has: no WIN.INI section "Orvanta Network Velorin", no
// HKLM\Software\OrvantaNetwork, no Start Menu group "Velorin" (nor explorer's window of it), no
// c:\orvanet, no corvex log. Runs before and after every test.
void ResetMachine();

// Whole file; "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces path with data, and gives it the time lastWrite if one is given.
bool WriteFileBytes(
    const std::string& path, const std::string& data, const FILETIME* lastWrite = NULL);
// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeDirs(const std::string& path);
bool PathExists(const std::string& path);
// Read-only as for a Windows user: the attribute, and since the tests run as root, whom Wine
// lets write such files, the host's immutable flag too. True when it can then not be written.
bool SetReadOnly(const std::string& path);
// Undoes SetReadOnly, for a whole folder tree too.
bool ClearReadOnly(const std::string& path);
// Deletes a file or a whole folder tree, read-only or not, without asking.
void DeleteTree(const std::string& path);

// The machine by path: folders ("folder") and files (time, CRC or a large file's size alone, size)
// of every drive but the host's root z:, each place under the first letter that reaches it, but
// c:\windows\temp; keys of HKLM, HKCU and HKU ("key", values as in a .reg file) as Wine saves
// them: not volatile ones.
typedef std::map<std::string, std::string> Snapshot;
Snapshot SnapshotMachine();

// Windows paths of this build's setup.exe and corvex.exe stand-in.
std::string SetupExePath();
std::string CorvexExePath();
// What the corvex.exe stand-in logged: "<command line>|show=<n>\r\n" a start.
std::string CorvexLog();

// A program under test, started in its own folder; ended by WaitExit.
struct Program {
    HANDLE process;
    DWORD pid;
};
Program Launch(const std::string& path);
// Its exit status once it ended; -1 (and terminated) after ms.
int WaitExit(Program program, DWORD ms = 30000);

// Copies program (setup.exe by default) to the medium folder dir (ending in '\') as SETUP.EXE,
// as a medium names it, starts it there and walks the wizard to the progress page, typing entry
// into the directory field unless it is empty. *page is the progress page, NULL if it did not come.
Program StartSetup(const std::string& dir, const std::string& entry, HWND* page,
    const std::string& program = SetupExePath());
// Waits up to ms for a box of program, answers it with button id; its BoxLine, or "no box".
std::string AnswerBox(const Program& program, int id, DWORD ms = 30000);

typedef BoxReading BoxInfo;
// Answers every message box of this process from a thread of its own: decide
// may change the machine (swap a floppy, say) and returns the button id. A box without
// that button is unexpected: it is ended with another, its cancel first, and reported.
void StartBoxAnswerer(std::function<int(const BoxInfo&)> decide);
// Stops it; a failure for each unexpected box; returns the BoxLine of each box seen, in order.
std::vector<std::string> StopBoxAnswerer();
