// The driver against the probe program: what it reads must be what the
// program shows, and a failed step must stop the run and the program.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "harness.h"

namespace {

std::string Probe()
{
    std::string p = VELORIN_PROBE_EXE;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

int ProbesRunning()
{
    int n = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        n += lstrcmpiA(pe.szExeFile, "wine_probe.exe") == 0;
    CloseHandle(snap);
    return n;
}

// "(waited N ms)" with N replaced by X: wait times vary.
std::string MaskWaits(std::string t)
{
    size_t at = 0;
    while ((at = t.find("(waited ", at)) != std::string::npos) {
        size_t end = t.find(" ms)", at);
        if (end == std::string::npos)
            break;
        t.replace(at + 8, end - (at + 8), "X");
        at += 8;
    }
    return t;
}

}  // namespace

TEST(Driver, ReadsEveryBoxKindAndItsButtons)
{
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"boxes"},
        "box\nanswer 1\n"
        "box\nanswer 4\n"
        "box\nanswer 7\n"
        "box\nanswer 1\n"
        "box\nanswer 2\n"
        "exit\n");
    EXPECT_EQ(r.driverExit, 0);
    EXPECT_EQ(r.transcript,
              "box \"Probe Box\" icon=error buttons=OK \"Error box.\"\n"
              "answer 1\n"
              "box \"Probe Box\" icon=warning buttons=Retry|Cancel \"Warning box:\\r\\nsecond line.\"\n"
              "answer 4\n"
              "box \"Probe Box\" icon=question buttons=Yes|No \"Question box?\"\n"
              "answer 7\n"
              "box \"Probe Box\" icon=information buttons=OK \"Information box.\"\n"
              "answer 1\n"
              "box \"Probe Box\" icon=none buttons=OK|Cancel \"Plain box.\"\n"
              "answer 2\n"
              "exit 14712");
}

TEST(Driver, DrivesAPageThroughItsControls)
{
    DeleteFileA("e:\\page.bmp");
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"page"},
        "# comments and blank lines are skipped\n"
        "\n"
        "page \"Probe Page\" 101\n"
        "text 101\n"
        "focus\n"
        "escape\n"
        "close\n"
        "set 101 \"\"\n"
        "press 201\n"
        "box\n"
        "answer 1\n"
        "type 101 \"ab\\\\c\"\n"
        "text 101\n"
        "waitprogress 100\n"
        "press 203\n"
        "box\n"
        "progress\n"
        "answer 7\n"
        "nobox 200\n"
        "screenshot \"e:\\\\page.bmp\"\n"
        "press 201\n"
        "gone\n");
    EXPECT_EQ(r.driverExit, 0);
    EXPECT_EQ(r.transcript,
              "page \"Probe Page\"\n"
              "text 101 \"c:\\\\probe\"\n"
              "focus 101\n"
              "escape: still open\n"
              "close: still open\n"
              "set 101\n"
              "press 201\n"
              "box \"Probe Page\" icon=error buttons=OK \"The field is empty.\"\n"
              "answer 1\n"
              "type 101\n"  // after a box, the page under it is current again
              "text 101 \"ab\\\\c\"\n"
              "progress >= 100\n"
              "press 203\n"
              "box \"Probe Page\" icon=question buttons=Yes|No \"Quit the probe?\"\n"
              "progress 100\n"  // read from the page under the box
              "answer 7\n"
              "nobox\n"
              "screenshot\n"
              "press 201\n"
              "gone\n"
              "exit 4");  // the page's result: the length of "ab\c"

    // A 24-bit BMP of the page's size as the screen shows it.
    std::string bmp = ReadFileBytes("e:\\page.bmp");
    ASSERT_GT(bmp.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER* ih = (const BITMAPINFOHEADER*)(bmp.data() + sizeof(BITMAPFILEHEADER));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(ih->biBitCount, 24);
    EXPECT_GT(ih->biWidth, 200);
    EXPECT_GT(ih->biHeight, 150);
    EXPECT_EQ(bmp.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                              (size_t)((ih->biWidth * 3 + 3) & ~3) * ih->biHeight);
    // Not a blank capture: the page has text, a field and buttons.
    std::string pixels = bmp.substr(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    EXPECT_NE(pixels.find_first_not_of(pixels[pixels.size() / 2]), std::string::npos);
}

TEST(Driver, FailedStepIsReportedAndEndsTheProgram)
{
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"page"},
        "page \"Probe Page\"\n"
        "timeout 300\n"
        "page \"No Such Page\"\n"
        "text 101\n");
    EXPECT_EQ(r.driverExit, 1);
    EXPECT_EQ(MaskWaits(r.transcript),
              "page \"Probe Page\"\n"
              "FAIL page \"No Such Page\" (waited X ms)\n"
              "window \"Probe Page\" #32770");
    EXPECT_EQ(ProbesRunning(), 0);

    // A box where none may appear fails too, and shows the box.
    r = RunScenarioWithArgs(Probe(), {"page"},
        "page \"Probe Page\" 203\n"
        "press 203\n"
        "nobox 300\n");
    EXPECT_EQ(r.driverExit, 1);
    EXPECT_EQ(MaskWaits(r.transcript),
              "page \"Probe Page\"\n"
              "press 203\n"
              "box \"Probe Page\" icon=question buttons=Yes|No \"Quit the probe?\"\n"
              "FAIL nobox 300 (waited X ms)\n"
              "window \"Probe Page\" #32770\n"
              "window \"Probe Page\" #32770");
    EXPECT_EQ(ProbesRunning(), 0);

    // A program that never exits: the closing wait fails.
    r = RunScenarioWithArgs(Probe(), {"wait"}, "timeout 300\n");
    EXPECT_EQ(r.driverExit, 1);
    EXPECT_EQ(MaskWaits(r.transcript), "FAIL exit (waited X ms)");
    EXPECT_EQ(ProbesRunning(), 0);
}

TEST(Driver, RejectsABadScenarioBeforeStarting)
{
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"page"}, "page \"Probe Page\"\npress \"201\"\n");
    EXPECT_EQ(r.driverExit, 1);
    EXPECT_EQ(r.transcript,
              "FAIL scenario line 2: argument 1 of press must be a number (waited 0 ms)");
    EXPECT_EQ(ProbesRunning(), 0);
}

TEST(Driver, FileCommandsActBetweenSteps)
{
    ASSERT_TRUE(MakeDirs("d:\\disk2"));
    ASSERT_TRUE(WriteFileBytes("d:\\disk2\\nprogram.z", "two"));
    ASSERT_TRUE(WriteFileBytes("d:\\old.txt", "old"));
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"boxes"},
        "move \"d:\\\\disk2\\\\nprogram.z\" \"a:\\\\nprogram.z\"\n"
        "delete \"d:\\\\disk2\"\n"
        "readonly \"d:\\\\old.txt\"\n"
        "box\nanswer 1\nbox\nanswer 2\nbox\nanswer 6\nbox\nanswer 1\nbox\nanswer 1\n");
    EXPECT_EQ(r.driverExit, 0);
    EXPECT_EQ(r.transcript.substr(0, 21), "move\ndelete\nreadonly\n");
    EXPECT_EQ(ReadFileBytes("a:\\nprogram.z"), "two");
    EXPECT_FALSE(PathExists("d:\\disk2"));
    EXPECT_TRUE(GetFileAttributesA("d:\\old.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(r.transcript.substr(r.transcript.rfind('\n') + 1), "exit 12611");
}
