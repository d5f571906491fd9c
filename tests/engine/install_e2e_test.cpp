// Whole installations through setup.exe, driven as a user would: a CD, two
// floppies, a cancel in the middle of a large copy, a full drive.
#include <gtest/gtest.h>

#include "harness.h"
#include "media.h"

namespace {

const uint64_t TIME = 125911584000000000ull;
const std::string COMPONENTS = "c:\\orvanet\\corvex\\";

// The registration program is our stand-in, unpacked from corvex.z.
std::vector<Member> Corvex()
{
    return {{"corvex.exe", EncodedStream(GetFile(CorvexExePath()), 1, 6), TIME},
            {"corvex.ini", EncodedStream(std::string(3000, 'v'), 0, 5), TIME + 10000000}};
}

std::string Prompt(const std::string& text)
{
    return "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel " + Quote(text);
}

void ExpectInstalled(const std::vector<MediumFile>& medium)
{
    for (const MediumFile& f : medium)
        if (f.name != "corvex.z")
            EXPECT_TRUE(GetFile(COMPONENTS + f.name) == f.data) << f.name;
    EXPECT_TRUE(GetFile(COMPONENTS + "corvex.exe") == GetFile(CorvexExePath()));
    EXPECT_EQ(TIME, LastWriteTime(COMPONENTS + "corvex.exe"));
    EXPECT_EQ(std::string(3000, 'v'), GetFile(COMPONENTS + "corvex.ini"));
    EXPECT_EQ(TIME + 10000000, LastWriteTime(COMPONENTS + "corvex.ini"));
    EXPECT_EQ("c:\\orvanet\\corvex\\corvex.exe main|show=1\r\n", CorvexLog());
}

// The last target is taken by a folder: its prompt holds the worker with the
// bar at its end; Retry once the folder is gone completes the installation.
TEST(Install, FromCd)
{
    std::vector<Member> corvex = Corvex();
    std::vector<MediumFile> medium = StandardMedium(true, corvex);
    FitToTotal(&medium, corvex, 1500000);
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0) && MakeDirs(COMPONENTS + "www.z"));
    HWND page;
    Program p = StartSetup("d:\\", "", &page);
    HWND box = WaitBox(p.pid, 30000);
    EXPECT_EQ(Progress(page), 100);
    EXPECT_EQ(BoxLine(ReadBox(box)), Prompt("Can't write file c:\\orvanet\\corvex\\www.z (may be in use)."));
    ASSERT_TRUE(RemoveDirectoryA((COMPONENTS + "www.z").c_str()));
    EXPECT_TRUE(Answer(box, IDRETRY));
    EXPECT_EQ(WaitExit(p), 0);
    ExpectInstalled(medium);
}

// The notice is confirmed before disk 2 is in drive a:, so the first file of
// disk 2 asks for it by number and drive; Retry with disk 2 in goes on.
TEST(Install, FromTwoFloppies)
{
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("a:\\", medium, 1) && MakeDirs("e:\\disk2"));
    ASSERT_TRUE(WriteMedium("e:\\disk2\\", medium, 2));
    HWND page;
    Program p = StartSetup("a:\\", "", &page);
    EXPECT_EQ(AnswerBox(p, IDOK), "box \"Velorin Installation\" icon=error buttons=OK "
                                  "\"Please insert the disk labeled \\\"Velorin Disk #2\\\".\"");
    HWND box = WaitBox(p.pid);
    EXPECT_EQ(BoxLine(ReadBox(box)), Prompt("Please ensure that Velorin Disk #2 is in drive a:\\."));
    for (const MediumFile& f : medium)
        if (f.disk == 2)
            ASSERT_TRUE(MoveFileA(("e:\\disk2\\" + f.name).c_str(), ("a:\\" + f.name).c_str()));
    EXPECT_TRUE(Answer(box, IDRETRY));
    EXPECT_EQ(WaitExit(p), 0);
    ExpectInstalled(medium);
}

// The copy stops before its next chunk: what was written stays, nothing
// after it is placed, and the registration program is not started.
TEST(Install, CancelDuringALargeCopy)
{
    ASSERT_TRUE(WriteMedium("d:\\", StandardMedium(true, Corvex()), 0));
    // A gigabyte of zeros that takes no room on the medium.
    const DWORD large = 1u << 30;
    HANDLE big = CreateFileA("d:\\javaclss.z", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    SetFilePointer(big, (LONG)large, NULL, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(big) && CloseHandle(big));
    HWND page;
    Program p = StartSetup("d:\\", "", &page);
    Press(page, 203);
    AnswerBox(p, IDYES);
    EXPECT_EQ(WaitExit(p), 0);
    WIN32_FILE_ATTRIBUTE_DATA copied;
    ASSERT_TRUE(GetFileAttributesExA((COMPONENTS + "javaclss.z").c_str(), GetFileExInfoStandard, &copied));
    EXPECT_LT(copied.nFileSizeLow, large);
    EXPECT_EQ(copied.nFileSizeLow % 32000, 0u);
    EXPECT_FALSE(Exists(COMPONENTS + "javabin.z"));
    EXPECT_EQ("", CorvexLog());
}

// y: passes the free-space check with 8,003,584 bytes and fills up during
// the copy: the prompt names the file cut short; Cancel ends it all.
TEST(Install, OntoADriveThatFillsUp)
{
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    medium[1].data = Bytes(9000000, 2);  // netscape.z
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    HWND page;
    Program p = StartSetup("d:\\", "y:\\orvanet", &page);
    EXPECT_EQ(AnswerBox(p, IDCANCEL), Prompt("Can't write file y:\\orvanet\\corvex\\netscape.z (may be in use)."));
    EXPECT_EQ(WaitExit(p), 0);
    EXPECT_TRUE(GetFile("y:\\orvanet\\corvex\\nsystem.z") == medium[0].data);
    EXPECT_FALSE(Exists("y:\\orvanet\\corvex\\wsystem.z"));
    EXPECT_EQ("", CorvexLog());
}

}  // namespace
