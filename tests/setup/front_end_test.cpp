// The wizard and the progress page through real windows under Wine. The page tests run the real
// setup.exe; the progress-page tests run setup_probe.exe, the same front end with the scripted
// worker of scripted_install.cpp, so that cancel and completion come at exact moments.
#include <gtest/gtest.h>

#include "earlier_install.h"
#include "harness.h"
#include "../../res/resource.h"

namespace {

const char CAPTION[] = "Velorin Installation";

// Every text a page shows, caption first and then its controls in template order; the page
// centred on the 1024 x 768 screen of the test display (the right (bottom) margin is the left
// (top) one, or one more); the focus on control `focus`; Escape and the close box ignored.
void ExpectPage(HWND page, int focus, const std::string& texts) {
    std::string shown = Text(page);
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        shown += "|" + Text(c);
    EXPECT_EQ(shown, texts);
    RECT r;
    GetWindowRect(page, &r);
    EXPECT_TRUE(1024 - r.right - r.left >= 0 && 1024 - r.right - r.left <= 1)
        << r.left << " " << r.right;
    EXPECT_TRUE(768 - r.bottom - r.top >= 0 && 768 - r.bottom - r.top <= 1)
        << r.top << " " << r.bottom;
    EXPECT_EQ(FocusId(page), focus);
    EXPECT_TRUE(IgnoresEscapeAndClose(page));
}

std::string Probe() {
    char self[MAX_PATH];
    std::string dir(self, GetModuleFileNameA(NULL, self, MAX_PATH));
    return dir.substr(0, dir.rfind('\\') + 1) + "setup_probe.exe";
}

// Walks to the directory page, each page seen as ExpectPage says on the way; Next has the focus,
// then the directory field.
HWND ToDirectoryPage(const Program& p) {
    HWND welcome = WaitPage(p.pid, "Welcome to Velorin!", IDC_NEXT);
    // clang-format off
    ExpectPage(welcome, IDC_NEXT, "Welcome to Velorin!|&OK|ORV95NEWL");  // the picture's bitmap
    Press(welcome, IDC_NEXT);
    HWND intro = WaitPage(p.pid, CAPTION, IDC_CANCEL_SETUP);
    ExpectPage(intro, IDC_NEXT, std::string(CAPTION) + "|Velorin provides a top-quality, "
        "easy-to-use Internet connection. It includes Netscape Navigator, a powerful Internet "
        "software package. You'll be able to register instantly and go online in minutes."
        "|Additionally, if you've already registered an account with Orvanta Network, Velorin will "
        "configure it for you.|Here's what you need:|- Windows 95 (you may need the original "
        "diskettes/CD)|- 8 megabytes of free disk space|- A 9600 baud or faster modem|- A credit "
        "card (for a new account)|&Next >|&Cancel");
    Press(intro, IDC_NEXT);
    HWND directory = WaitPage(p.pid, CAPTION, IDC_DIRECTORY);
    ExpectPage(directory, IDC_DIRECTORY, std::string(CAPTION) + "|Velorin will now install the "
        "registration software on your computer and guide you through the setup process."
        "|Velorin directory:|" + Text(directory, IDC_DIRECTORY) + "|If you would like Velorin "
        "installed in a different directory than the default, enter the directory below."
        "|&Next >|&Cancel|< &Back");
    // clang-format on
    return directory;
}

const std::string CANCEL_QUESTION = "box \"Velorin Installation\" icon=question buttons=Yes|No "
                                    "\"Are you sure you want to cancel installation?\"";

// The directory field shows what an earlier installation recorded, again after Back, which leads
// to the introduction, not the welcome page. Of the refused entries, x: has 4,194,304 bytes free
// and w: 7,999,488 (small file systems of the test run); a relative entry asks its own first part,
// which is no drive. Leaving the wizard before the progress page changes nothing on the machine.
TEST(WizardPages, RefusedEntriesBackAndCancelLeaveNoTrace) {
    ASSERT_TRUE(WriteProfileStringA("Orvanta Network Velorin", "Main", "d:\\oldplace"));
    const std::string free = "There are only ",
                      needs = ". Velorin requires at least 8.0 MB of free disk space.";
    // clang-format off
    const struct { std::string entry, text; } cases[] = {
        { "", "Please enter the Velorin directory." },
        { "\\", "Please enter the Velorin directory." },
        { "c:\\" + std::string(MAX_INSTALL_DIR_LENGTH - 2, 'd'),
          "The Velorin directory name is too long." },
        { "x:\\orvanet", free + "4.1 MBs free on drive x:\\" + needs },
        { "w:\\orvanet", free + "7.9 MBs free on drive w:\\" + needs },
        { "orvanet", free + "0.0 MBs free on drive orvanet\\" + needs },
    };
    // clang-format on
    std::string winIni = ReadFileBytes("c:\\windows\\win.ini");
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), "d:\\setup.exe", FALSE));  // on the CD
    Program p = Launch("d:\\setup.exe");
    HWND directory = ToDirectoryPage(p);
    EXPECT_EQ(Text(directory, IDC_DIRECTORY), "d:\\oldplace");
    for (const auto& c : cases) {
        SetText(directory, IDC_DIRECTORY, c.entry);
        Press(directory, IDC_NEXT);
        EXPECT_EQ(AnswerBox(p, IDOK),
            "box \"Velorin Installation\" icon=error buttons=OK " + Quote(c.text));
    }
    Press(directory, IDC_BACK);  // the page reads the recorded directory again when it returns
    Press(WaitPage(p.pid, CAPTION, IDC_CANCEL_SETUP), IDC_NEXT);
    directory = WaitPage(p.pid, CAPTION, IDC_DIRECTORY);
    EXPECT_EQ(Text(directory, IDC_DIRECTORY), "d:\\oldplace");
    Press(directory, IDC_BACK);
    Press(WaitPage(p.pid, CAPTION, IDC_CANCEL_SETUP), IDC_CANCEL_SETUP);
    EXPECT_EQ(WaitExit(p), 0);
    HKEY key;
    EXPECT_EQ(ReadFileBytes("c:\\windows\\win.ini"), winIni);
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvantaNetwork", 0, KEY_READ, &key), 0);
    EXPECT_FALSE(PathExists("c:\\orvanet"));
    EXPECT_EQ(CorvexLog(), "");
}

// The scripted worker reports 50, then a stop without a cancel and a 101, both of which the page
// must ignore, then waits for e:\go. The directory is the longest, typed with a backslash.
TEST(ProgressPage, IgnoresWhatItMustAndStartsTheRegistrationProgramAtTheEnd) {
    const std::string dir = "c:\\" + std::string(MAX_INSTALL_DIR_LENGTH - 3, 'd');
    ASSERT_TRUE(MakeDirs(dir + "\\corvex"));
    ASSERT_TRUE(CopyFileA(CorvexExePath().c_str(), (dir + "\\corvex\\corvex.exe").c_str(), FALSE));
    HWND page;
    Program p = StartSetup("d:\\", dir + "\\", &page, Probe());
    for (int i = 0; i < 250 && Progress(page) < 50; i++)  // the worker waits for its 50 to show
        Sleep(20);
    // Also time enough for the stop and the 101.
    ExpectPage(page, IDC_CANCEL_SETUP, std::string(CAPTION) + "|Installing Velorin...||&Cancel");
    EXPECT_EQ(Progress(page), 50);
    Press(page, IDC_CANCEL_SETUP);
    EXPECT_EQ(AnswerBox(p, IDNO), CANCEL_QUESTION);
    ASSERT_TRUE(WriteFileBytes("e:\\go", ""));
    EXPECT_EQ(WaitExit(p), 0);
    EXPECT_EQ(CorvexLog(), dir + "\\corvex\\corvex.exe main|show=1\r\n");
    DeleteTree(dir);
}

}  // namespace
