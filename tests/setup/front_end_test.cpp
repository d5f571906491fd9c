// The wizard and the progress page, driven through real windows under Wine.
// The page tests run the real setup.exe; the progress-page tests run
// setup_probe.exe, the same front end with a scripted worker (see
// scripted_install.cpp), so that cancel and completion can be timed exactly.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "harness.h"

namespace {

const char SECTION[] = "Orvanta Network Velorin";

std::string TestDirFile(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + name;
}

// Puts a setup program on the CD medium (drive d:) and returns its path there.
std::string OnMedium(const std::string& program)
{
    EXPECT_TRUE(CopyFileA(program.c_str(), "d:\\setup.exe", FALSE)) << program;
    return "d:\\setup.exe";
}

std::string RealSetup() { return OnMedium(SetupExePath()); }
std::string ProbeSetup() { return OnMedium(TestDirFile("setup_probe.exe")); }

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool RegistryKeyExists(const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// Leaving the wizard before the progress page must leave no trace.
void ExpectMachineUntouched(const std::string& winIniBefore)
{
    EXPECT_EQ(ReadFileBytes("c:\\windows\\win.ini"), winIniBefore);
    EXPECT_FALSE(RegistryKeyExists("Software\\OrvantaNetwork"));
    EXPECT_FALSE(Exists("c:\\orvanet"));
    EXPECT_EQ(CorvexLog(), "");
}

// The pages before the progress page, from the welcome page to the
// directory page, each with its texts, focus, and Escape and the close box
// ignored.
const char WALK_TO_DIRECTORY[] =
    "page \"Welcome to Velorin!\" 201\n"
    "text 201\nfocus\nescape\nclose\n"
    "press 201\ngone\n"
    "page \"Velorin Installation\" 203\n"
    "text 201\ntext 203\nfocus\nescape\nclose\n"
    "press 201\ngone\n"
    "page \"Velorin Installation\" 101\n";

const char WALKED_TO_DIRECTORY[] =
    "page \"Welcome to Velorin!\"\n"
    "text 201 \"&OK\"\nfocus 201\nescape: still open\nclose: still open\n"
    "press 201\ngone\n"
    "page \"Velorin Installation\"\n"
    "text 201 \"&Next >\"\ntext 203 \"&Cancel\"\nfocus 201\nescape: still open\nclose: still open\n"
    "press 201\ngone\n"
    "page \"Velorin Installation\"\n";

TEST(WizardPages, BackReturnsToTheIntroductionAndRereadsTheDefault)
{
    std::string winIni = ReadFileBytes("c:\\windows\\win.ini");
    ScenarioResult run = RunScenario(RealSetup(), std::string(WALK_TO_DIRECTORY) +
        "text 101\ntext 202\nfocus\nescape\nclose\n"
        "set 101 \"c:\\\\typed\"\npress 202\ngone\n"
        // The introduction again, not the welcome page.
        "page \"Velorin Installation\" 203\ntext 201\npress 201\ngone\n"
        "page \"Velorin Installation\" 101\ntext 101\n"
        "press 203\ngone\nexit\n");
    EXPECT_EQ(run.driverExit, 0);
    EXPECT_EQ(run.transcript, std::string(WALKED_TO_DIRECTORY) +
        "text 101 \"c:\\\\orvanet\"\ntext 202 \"< &Back\"\nfocus 101\nescape: still open\nclose: still open\n"
        "set 101\npress 202\ngone\n"
        "page \"Velorin Installation\"\ntext 201 \"&Next >\"\npress 201\ngone\n"
        "page \"Velorin Installation\"\ntext 101 \"c:\\\\orvanet\"\n"
        "press 203\ngone\nexit 0");
    ExpectMachineUntouched(winIni);
}

TEST(WizardPages, CancelOnTheIntroductionChangesNothing)
{
    std::string winIni = ReadFileBytes("c:\\windows\\win.ini");
    ScenarioResult run = RunScenario(RealSetup(),
        "page \"Welcome to Velorin!\" 201\npress 201\ngone\n"
        "page \"Velorin Installation\" 203\npress 203\ngone\nexit\n");
    EXPECT_EQ(run.transcript,
        "page \"Welcome to Velorin!\"\npress 201\ngone\n"
        "page \"Velorin Installation\"\npress 203\ngone\nexit 0");
    ExpectMachineUntouched(winIni);
}

TEST(DirectoryPage, ShowsTheRecordedDirectoryEveryTimeItOpens)
{
    ASSERT_TRUE(WriteProfileStringA(SECTION, "Main", "d:\\oldplace"));
    std::string winIni = ReadFileBytes("c:\\windows\\win.ini");
    ScenarioResult run = RunScenario(RealSetup(), std::string(WALK_TO_DIRECTORY) +
        "text 101\nset 101 \"e:\\\\mine\"\npress 202\ngone\n"
        "page \"Velorin Installation\" 203\npress 201\ngone\n"
        "page \"Velorin Installation\" 101\ntext 101\npress 203\ngone\nexit\n");
    EXPECT_EQ(run.transcript, std::string(WALKED_TO_DIRECTORY) +
        "text 101 \"d:\\\\oldplace\"\nset 101\npress 202\ngone\n"
        "page \"Velorin Installation\"\npress 201\ngone\n"
        "page \"Velorin Installation\"\ntext 101 \"d:\\\\oldplace\"\npress 203\ngone\nexit 0");
    EXPECT_EQ(ReadFileBytes("c:\\windows\\win.ini"), winIni);
}

std::string ErrorBox(const std::string& text)
{
    return "box \"Velorin Installation\" icon=error buttons=OK \"" + text + "\"\nanswer 1\n";
}

TEST(DirectoryPage, RefusesEmptyAndTooLongEntriesAndAcceptsTheLongestAllowed)
{
    std::string longest = "c:\\\\" + std::string(236, 'd');   // 239 characters
    ScenarioResult run = RunScenario(ProbeSetup(), std::string(WALK_TO_DIRECTORY) +
        "set 101 \"\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"\\\\\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"" + longest + "d\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"" + longest + "d\\\\\"\npress 201\nbox\nanswer 1\n"
        "text 101\n"
        "set 101 \"" + longest + "\\\\\"\npress 201\ngone\n"
        "page \"Velorin Installation\" 104\npress 203\nbox\nanswer 6\ngone\nexit\n");
    EXPECT_EQ(run.transcript, std::string(WALKED_TO_DIRECTORY) +
        "set 101\npress 201\n" + ErrorBox("Please enter the Velorin directory.") +
        "set 101\npress 201\n" + ErrorBox("Please enter the Velorin directory.") +
        "set 101\npress 201\n" + ErrorBox("The Velorin directory name is too long.") +
        "set 101\npress 201\n" + ErrorBox("The Velorin directory name is too long.") +
        "text 101 \"" + longest + "d\\\\\"\n"
        "set 101\npress 201\ngone\n"
        "page \"Velorin Installation\"\npress 203\n"
        "box \"Velorin Installation\" icon=question buttons=Yes|No \"Are you sure you want to cancel installation?\"\n"
        "answer 6\ngone\nexit 0");
}

std::string FreeSpaceBox(const char* figures, const char* root)
{
    return ErrorBox(std::string("There are only ") + figures + " MBs free on drive " + root +
                    ". Velorin requires at least 8.0 MB of free disk space.");
}

// x: holds 4,194,304 free bytes, w: 7,999,488 and y: 8,003,584 (small file
// systems mounted for the test run).
TEST(DirectoryPage, RefusesDrivesWithLessThanEightMillionBytesFree)
{
    ScenarioResult run = RunScenario(ProbeSetup(), std::string(WALK_TO_DIRECTORY) +
        "set 101 \"x:\\\\orvanet\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"w:\\\\orvanet\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"orvanet\"\npress 201\nbox\nanswer 1\n"
        "set 101 \"y:\\\\orvanet\"\npress 201\ngone\n"
        "page \"Velorin Installation\" 104\npress 203\nbox\nanswer 6\ngone\nexit\n");
    EXPECT_EQ(run.transcript, std::string(WALKED_TO_DIRECTORY) +
        "set 101\npress 201\n" + FreeSpaceBox("4.1", "x:\\\\") +
        "set 101\npress 201\n" + FreeSpaceBox("7.9", "w:\\\\") +
        "set 101\npress 201\n" + FreeSpaceBox("0.0", "orvanet\\\\") +
        "set 101\npress 201\ngone\n"
        "page \"Velorin Installation\"\npress 203\n"
        "box \"Velorin Installation\" icon=question buttons=Yes|No \"Are you sure you want to cancel installation?\"\n"
        "answer 6\ngone\nexit 0");
}

// Walks to the progress page with the given directory entry.
std::string WalkToProgress(const std::string& entry)
{
    return std::string(WALK_TO_DIRECTORY) + "set 101 \"" + entry + "\"\npress 201\ngone\n"
        "page \"Velorin Installation\" 104\n";
}

std::string WalkedToProgress()
{
    return std::string(WALKED_TO_DIRECTORY) + "set 101\npress 201\ngone\npage \"Velorin Installation\"\n";
}

const char CANCEL_QUESTION[] =
    "box \"Velorin Installation\" icon=question buttons=Yes|No \"Are you sure you want to cancel installation?\"\n";

void PlaceRegistrationProgram(const char* dir)
{
    std::string corvexDir = std::string(dir) + "\\corvex";
    CreateDirectoryA(dir, NULL);
    CreateDirectoryA(corvexDir.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(CorvexExePath().c_str(), (corvexDir + "\\corvex.exe").c_str(), FALSE));
}

TEST(ProgressPage, CancelAnsweredNoGoesOnAndCompletionStartsTheRegistrationProgram)
{
    PlaceRegistrationProgram("c:\\orvanet");
    ASSERT_TRUE(WriteFileBytes("e:\\go.pending", "go"));
    ScenarioResult run = RunScenario(ProbeSetup(), WalkToProgress("c:\\\\orvanet\\\\") +
        "text 103\nfocus\nescape\nclose\n"
        // 50 arrives, then 101, which must leave the bar at 50.
        "waitprogress 50\nsleep 300\nprogress\n"
        "press 203\nbox\nanswer 7\nprogress\n"
        "move \"e:\\\\go.pending\" \"e:\\\\go\"\ngone\nexit\n");
    EXPECT_EQ(run.transcript, WalkedToProgress() +
        "text 103 \"Installing Velorin...\"\nfocus 203\nescape: still open\nclose: still open\n"
        "progress >= 50\nprogress 50\n"
        "press 203\n" + CANCEL_QUESTION + "answer 7\nprogress 50\n"
        "move\ngone\nexit 0");
    EXPECT_EQ(CorvexLog(), "c:\\orvanet\\corvex\\corvex.exe main|show=1\r\n");
}

TEST(ProgressPage, CancelAnsweredYesEndsWithoutTheRegistrationProgram)
{
    PlaceRegistrationProgram("c:\\orvanet");
    ScenarioResult run = RunScenario(ProbeSetup(), WalkToProgress("c:\\\\orvanet") +
        "waitprogress 50\npress 203\nbox\nanswer 6\ngone\nexit\n");
    EXPECT_EQ(run.transcript, WalkedToProgress() +
        "progress >= 50\npress 203\n" + CANCEL_QUESTION + "answer 6\ngone\nexit 0");
    EXPECT_EQ(CorvexLog(), "");
    // The process waited for the worker to see the cancel before it ended.
    EXPECT_TRUE(Exists("e:\\worker-stopped"));
}

TEST(ProgressPage, AStopWithoutCancelKeepsThePageOpen)
{
    ASSERT_TRUE(WriteFileBytes("e:\\fail", ""));
    ASSERT_TRUE(WriteFileBytes("e:\\go", ""));
    ScenarioResult run = RunScenario(ProbeSetup(), WalkToProgress("c:\\\\orvanet") +
        "sleep 500\nprogress\npress 203\nbox\nanswer 6\ngone\nexit\n");
    EXPECT_EQ(run.transcript, WalkedToProgress() +
        "progress 50\npress 203\n" + CANCEL_QUESTION + "answer 6\ngone\nexit 0");
    EXPECT_EQ(CorvexLog(), "");
}

TEST(ProgressPage, ADirectoryWithABlankIsQuotedInTheCommandLine)
{
    PlaceRegistrationProgram("c:\\orvanet dir");
    ASSERT_TRUE(WriteFileBytes("e:\\go.pending", ""));
    ScenarioResult run = RunScenario(ProbeSetup(), WalkToProgress("c:\\\\orvanet dir") +
        "move \"e:\\\\go.pending\" \"e:\\\\go\"\ngone\nexit\n");
    EXPECT_EQ(run.transcript, WalkedToProgress() + "move\ngone\nexit 0");
    EXPECT_EQ(CorvexLog(), "\"c:\\orvanet dir\\corvex\\corvex.exe\" main|show=1\r\n");
    // Not a test leftover for the next run: ResetMachine knows only c:\orvanet.
    DeleteFileA("c:\\orvanet dir\\corvex\\corvex.exe");
    RemoveDirectoryA("c:\\orvanet dir\\corvex");
    RemoveDirectoryA("c:\\orvanet dir");
}

}  // namespace
