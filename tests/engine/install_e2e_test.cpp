// Whole installations through setup.exe, driven like a user by driver.exe:
// a CD medium, two floppies, a cancel in the middle of a large copy, and a
// full installation drive.
#include <gtest/gtest.h>

#include "harness.h"
#include "media.h"

namespace {

const uint64_t kTime = 125911584000000000ull;
const std::string kComponents = "c:\\orvanet\\corvex\\";

// The registration program is our stand-in, unpacked from corvex.z and
// started by setup at the end.
std::vector<Member> Corvex()
{
    return { { "corvex.exe", EncodedStream(GetFile(CorvexExePath()), 1, 6), kTime },
             { "corvex.ini", EncodedStream(std::string(3000, 'v'), 0, 5), kTime + 10000000 } };
}

const char kToProgressPage[] =
    "page \"Welcome to Velorin!\" 201\npress 201\ngone\n"
    "page \"Velorin Installation\" 203\npress 201\ngone\n"
    "page \"Velorin Installation\" 101\n";
const char kReachedProgressPage[] =
    "page \"Welcome to Velorin!\"\npress 201\ngone\n"
    "page \"Velorin Installation\"\npress 201\ngone\n"
    "page \"Velorin Installation\"\n";

void ExpectInstalled(const std::vector<MediumFile>& medium)
{
    for (const MediumFile& f : medium)
        if (f.name != "corvex.z")
            EXPECT_TRUE(GetFile(kComponents + f.name) == f.data) << f.name;
    EXPECT_TRUE(GetFile(kComponents + "corvex.exe") == GetFile(CorvexExePath()));
    EXPECT_EQ(kTime, LastWriteTime(kComponents + "corvex.exe"));
    EXPECT_EQ(std::string(3000, 'v'), GetFile(kComponents + "corvex.ini"));
    EXPECT_EQ(kTime + 10000000, LastWriteTime(kComponents + "corvex.ini"));
}

// A CD installation whose last target is taken by a folder: the prompt holds
// the worker with the bar at its end; Retry once the folder is moved away
// finishes, and the unpacked registration program is started.
TEST(EngineInstall, CdInstallationEndToEnd)
{
    std::vector<Member> corvex = Corvex();
    std::vector<MediumFile> medium = StandardMedium(true, corvex);
    FitToTotal(&medium, corvex, 1500000);
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    ASSERT_TRUE(CopyFileTo(SetupExePath(), "d:\\setup.exe"));
    ASSERT_TRUE(MakeDirs("c:\\orvanet\\corvex\\www.z"));
    ScenarioResult run = RunScenario("d:\\setup.exe", std::string(kToProgressPage) +
        "press 201\ngone\npage \"Velorin Installation\" 104\n"
        "box\npage \"Velorin Installation\" 104\nprogress\nbox\n"
        "move \"c:\\\\orvanet\\\\corvex\\\\www.z\" \"c:\\\\orvanet\\\\www.dir\"\n"
        "answer 4\ngone\nexit\n");
    EXPECT_EQ(std::string(kReachedProgressPage) +
              "press 201\ngone\npage \"Velorin Installation\"\n"
              "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Can't write file c:\\\\orvanet\\\\corvex\\\\www.z (may be in use).\"\n"
              "page \"Velorin Installation\"\nprogress 100\n"
              "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Can't write file c:\\\\orvanet\\\\corvex\\\\www.z (may be in use).\"\n"
              "move\nanswer 4\ngone\nexit 0",
              run.transcript);
    ExpectInstalled(medium);
    EXPECT_EQ("c:\\orvanet\\corvex\\corvex.exe main|show=1\r\n", CorvexLog());
}

// Two floppies in drive a:. The notice is confirmed before disk 2 is in, so
// the copy of its first file asks for it by number and drive; Retry with
// disk 2 in goes on. The bar stands where disk 1's bytes bring it.
TEST(EngineInstall, FloppyInstallationEndToEnd)
{
    std::vector<Member> corvex = Corvex();
    std::vector<MediumFile> medium = StandardMedium(true, corvex);
    ASSERT_TRUE(WriteMedium("a:\\", medium, 1));
    ASSERT_TRUE(CopyFileTo(SetupExePath(), "a:\\setup.exe"));
    ASSERT_TRUE(MakeDirs("e:\\disk2"));
    ASSERT_TRUE(WriteMedium("e:\\disk2\\", medium, 2));
    uint32_t firstDisk = 0;
    std::string swap;
    for (const MediumFile& f : medium) {
        if (f.disk == 1)
            firstDisk += (uint32_t)f.data.size();
        else
            swap += "move \"e:\\\\disk2\\\\" + f.name + "\" \"a:\\\\" + f.name + "\"\n";
    }
    ScenarioResult run = RunScenario("a:\\setup.exe", std::string(kToProgressPage) +
        "press 201\ngone\npage \"Velorin Installation\" 104\n"
        "box\npage \"Velorin Installation\" 104\nprogress\nbox\nanswer 1\nbox\n" + swap + "answer 4\ngone\nexit\n");
    std::string moves;
    for (const MediumFile& f : medium)
        if (f.disk == 2)
            moves += "move\n";
    EXPECT_EQ(std::string(kReachedProgressPage) +
              "press 201\ngone\npage \"Velorin Installation\"\n"
              "box \"Velorin Installation\" icon=error buttons=OK "
              "\"Please insert the disk labeled \\\"Velorin Disk #2\\\".\"\n"
              "page \"Velorin Installation\"\nprogress " + std::to_string(firstDisk / 15000 + 1) +
              "\nbox \"Velorin Installation\" icon=error buttons=OK "
              "\"Please insert the disk labeled \\\"Velorin Disk #2\\\".\"\nanswer 1\n"
              "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Please ensure that Velorin Disk #2 is in drive a:\\\\.\"\n" +
              moves + "answer 4\ngone\nexit 0",
              run.transcript);
    ExpectInstalled(medium);
    EXPECT_EQ("c:\\orvanet\\corvex\\corvex.exe main|show=1\r\n", CorvexLog());
}

// Cancel confirmed while a large file is being copied: the copy stops before
// its next chunk, what was written stays, nothing after it is placed, and
// the registration program is not started.
TEST(EngineInstall, CancelDuringALargeCopy)
{
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    ASSERT_TRUE(CopyFileTo(SetupExePath(), "d:\\setup.exe"));
    // A gigabyte of zeros that takes no room on the medium.
    const DWORD large = 1u << 30;
    HANDLE big = CreateFileA("d:\\javaclss.z", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, big);
    SetFilePointer(big, (LONG)large, NULL, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(big));
    CloseHandle(big);

    ScenarioResult run = RunScenario("d:\\setup.exe", std::string(kToProgressPage) +
        "press 201\ngone\npage \"Velorin Installation\" 104\n"
        "press 203\nbox\nanswer 6\ngone\nexit\n");
    EXPECT_EQ(std::string(kReachedProgressPage) +
              "press 201\ngone\npage \"Velorin Installation\"\npress 203\n"
              "box \"Velorin Installation\" icon=question buttons=Yes|No "
              "\"Are you sure you want to cancel installation?\"\n"
              "answer 6\ngone\nexit 0",
              run.transcript);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((kComponents + "javaclss.z").c_str(), GetFileExInfoStandard, &data));
    EXPECT_LT(data.nFileSizeLow, large);
    EXPECT_EQ(0u, data.nFileSizeLow % 32000);
    EXPECT_FALSE(Exists(kComponents + "javabin.z"));
    EXPECT_FALSE(Exists(kComponents + "corvex.exe"));
    EXPECT_EQ("", CorvexLog());
}

// y: passes the free-space check with 8,003,584 bytes and fills up during the
// copy: the prompt names the file cut short; Cancel ends the installation.
TEST(EngineInstall, FullInstallationDriveEndToEnd)
{
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    medium[1].data = Bytes(9000000, 2);  // netscape.z
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    ASSERT_TRUE(CopyFileTo(SetupExePath(), "d:\\setup.exe"));
    ScenarioResult run = RunScenario("d:\\setup.exe", std::string(kToProgressPage) +
        "set 101 \"y:\\\\orvanet\"\npress 201\ngone\npage \"Velorin Installation\" 104\n"
        "box\nanswer 2\ngone\nexit\n");
    EXPECT_EQ(std::string(kReachedProgressPage) +
              "set 101\npress 201\ngone\npage \"Velorin Installation\"\n"
              "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Can't write file y:\\\\orvanet\\\\corvex\\\\netscape.z (may be in use).\"\n"
              "answer 2\ngone\nexit 0",
              run.transcript);
    EXPECT_TRUE(GetFile("y:\\orvanet\\corvex\\nsystem.z") == medium[0].data);
    EXPECT_LT(GetFile("y:\\orvanet\\corvex\\netscape.z").size(), 9000000u);
    EXPECT_FALSE(Exists("y:\\orvanet\\corvex\\wsystem.z"));
    EXPECT_EQ("", CorvexLog());
}

}  // namespace
