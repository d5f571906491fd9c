// Whole installations through setup.exe, driven as a user would: from the CD
// image and the floppy images of a medium laid out by ztool.
#include <gtest/gtest.h>

#include "harness.h"
#include <shellapi.h>
#include "install_fixtures.h"

namespace {

const std::string COMPONENTS = "c:\\orvanet\\corvex\\", MEDIA = VELORIN_MEDIA;

// Copies the files of one unpacked image (see make-media.sh) into dir.
void Insert(const std::string& image, const std::string& dir) {
    std::string from = MEDIA + "/" + image + "/*" + '\0', to = dir + '\0';
    SHFILEOPSTRUCTA copy = { NULL, FO_COPY, from.c_str(), to.c_str(), FOF_NO_UI };
    EXPECT_EQ(0, SHFileOperationA(&copy)) << image;
}

// Every file placed as the content has it, www.z too when the installation ran to its end, which
// then also started the registration program.
void ExpectInstalled(bool whole) {
    for (std::string name :
        { "nsystem.z", "netscape.z", "wsystem.z", "plugins.z", "javaclss.z", "javabin.z",
            "readme.txt", "nprogram.z", "www.z", "corvex/corvex.exe", "corvex/register.ini" }) {
        const std::string placed = GetFile(COMPONENTS + name.substr(name.find('/') + 1));
        EXPECT_TRUE(placed == GetFile(MEDIA + "/content/" + name) || (!whole && name == "www.z"))
            << name;
    }
    EXPECT_EQ(whole ? "c:\\orvanet\\corvex\\corvex.exe main|show=1\r\n" : "", CorvexLog());
}

// From the CD image the last target is taken by a folder: Cancel in its prompt ends the page and
// the program, the files before it placed, no registration program started. From the floppy images,
// started as B:\SETUP.EXE, the notice is confirmed before disk 2 is in, so the first file of disk 2
// asks for it by number and by drive, as setup lower-cased it; Retry with disk 2 in completes it.
TEST(Install, FromTheImages) {
    // clang-format off
    const struct { const char* drive, *image, *disk2, *notice, *prompt; } rows[] = {
        { "d:\\", "from-iso", nullptr, nullptr,
          "Can't write file c:\\orvanet\\corvex\\www.z (may be in use)." },
        { "B:\\", "from-disk1", "from-disk2", "Please insert the disk labeled \"Velorin Disk #2\".",
          "Please ensure that Velorin Disk #2 is in drive b:\\." },
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.image);
        ResetMachine();
        Insert(row.image, row.drive);
        ASSERT_TRUE(row.disk2 || MakeDirs(COMPONENTS + "www.z"));
        HWND page;
        Program p = StartSetup(row.drive, "", &page);
        if (row.notice)
            EXPECT_EQ(AnswerBox(p, IDOK),
                "box \"Velorin Installation\" icon=error buttons=OK " + Quote(row.notice));
        HWND box = WaitBox(p.pid);
        EXPECT_EQ(BoxLine(ReadBox(box)), Prompt(row.prompt));
        if (row.disk2) Insert(row.disk2, row.drive);
        EXPECT_TRUE(Answer(box, row.disk2 ? IDRETRY : IDCANCEL));
        EXPECT_EQ(WaitExit(p), 0);
        ExpectInstalled(row.disk2);
    }
}

}  // namespace
