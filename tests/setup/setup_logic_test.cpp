// The front end's arithmetic and text rules, natively.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup_logic.h"

TEST(SetupLogic, NumbersAndCentring) {
    for (auto t : { std::make_pair("1500000", 1500000), { " \t\n\v\f\r+42x", 42 }, { "-7", -7 },
             { "12 34", 12 }, { "", 0 }, { "+-5", 0 }, { "4294967297", 1 } })
        EXPECT_EQ(ParseSignedDecimal(t.first), t.second) << '"' << t.first << '"';
    EXPECT_EQ(BytesPerPercentOf(99), 1u);     // never 0: the progress rule divides by it
    EXPECT_EQ(CenteredOrigin(640, 643), -1);  // a page over the screen's size: toward zero
    EXPECT_EQ(FreeBytesOf(1048575, 512, 8), 0xFFFFF000u);
    EXPECT_EQ(FreeBytesOf(1048576, 512, 8), 0xFFFFFFFFu);              // 4 GiB would wrap to 0
    EXPECT_EQ(FreeBytesOf(0x80000000u, 0x80000000u, 4), 0xFFFFFFFFu);  // and 2^64 too
    EXPECT_FALSE(HasRequiredFreeSpace(7999999));
    EXPECT_TRUE(HasRequiredFreeSpace(8000000));
}

// Each rule edits its input or fills a buffer of the row's size; "!" stands for a refusal
// (result 0) that leaves the text empty, "-" for an entry too long.
static std::string Given(int result, const char* text) {
    return result == DIRECTORY_TOO_LONG ? "-" : (result ? "" : "!") + std::string(text);
}

TEST(SetupLogic, TextRules) {
    const std::string longest = "c:\\" + std::string(MAX_INSTALL_DIR_LENGTH - 3, 'd'),
                      spaced = "c:\\" + std::string(229, 'd') + " dddddd";
    struct Row {
        const char* name;
        std::string in, out;
        uint32_t size;
    };
    auto check = [](const std::vector<Row>& rows, std::string (*rule)(char*, char*, uint32_t)) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            char in[300] = {}, out[400] = "junk";
            row.in.copy(in, sizeof in - 1);
            EXPECT_EQ(row.out, rule(in, out, row.size)) << row.in;
        }
    };
    // clang-format off
    check({ { "a drive, lower-cased", "D:\\SETUP\\SETUP.EXE", "d:\\setup\\" },
            { "no backslash: whole", "SETUP.EXE", "setup.exe" },
            { "a share", "\\\\Server\\Share\\Setup.exe", "\\\\server\\share\\" },
            { "ASCII capitals only", "C:\\\xC4RGER\\A", "c:\\\xC4rger\\" } },
          [](char* in, char*, uint32_t) { return TakeSourceDirectory(in), std::string(in); });
    check({ { "a drive", "c:\\orvanet", "c:\\", 9 }, { "no drive", "orvanet", "orvanet\\", 9 },
            { "a root that does not fit", "orvanets", "!", 9 },
            { "a share", "\\\\server\\share", "\\", 9 } },
          [](char* in, char* out, uint32_t n) { return Given(VolumeRootOf(in, out, n), out); });
    check({ { "one backslash goes", "c:\\orvanet\\", "c:\\orvanet" },
            { "of two, one", "c:\\v\\\\", "c:\\v\\" },
            { "empty", "", "!" }, { "empty without its backslash", "\\", "!" },
            { "the longest", longest + "\\", longest }, { "one longer", longest + "d", "-" } },
          [](char* in, char*, uint32_t) { return Given(AcceptDirectoryEntry(in), in); });
    check({ { "just fits", "c:\\orvanet", "c:\\orvanet\\corvex\\corvex.exe main", 34 },
            { "a byte short", "c:\\orvanet", "!", 33 },
            { "an earlier installation in a root", "d:\\", "d:\\corvex\\corvex.exe main", 99 },
            { "a blank: quoted", spaced, "\"" + spaced + "\\corvex\\corvex.exe\" main",
              239 + 64 } },
          [](char* in, char* out, uint32_t size) {
              return Given(FormatRegistrationCommand(in, out, size), out);
          });
    // clang-format on
}
