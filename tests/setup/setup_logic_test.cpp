// The front end's arithmetic and text rules, natively.
#include <gtest/gtest.h>

#include <string>

#include "setup_logic.h"

TEST(SetupLogic, NumbersAndCentring)
{
    for (auto t : {std::make_pair("1500000", 1500000), {" \t\n\v\f\r+42x", 42}, {"-7", -7}, {"12 34", 12},
                   {"", 0}, {"+-5", 0}, {"4294967297", 1}})
        EXPECT_EQ(ParseSignedDecimal(t.first), t.second) << '"' << t.first << '"';
    EXPECT_EQ(BytesPerPercentOf(99), 1u);  // never 0: the progress rule divides by it
    EXPECT_EQ(CenteredOrigin(640, 643), -1);  // a page over the screen's size: toward zero
    EXPECT_EQ(FreeBytesOf(1048575, 512, 8), 0xFFFFF000u);
    EXPECT_EQ(FreeBytesOf(1048576, 512, 8), 0xFFFFFFFFu);  // 4 GiB would wrap to 0
    EXPECT_EQ(FreeBytesOf(0x80000000u, 0x80000000u, 4), 0xFFFFFFFFu);  // and 2^64 too
    EXPECT_FALSE(HasRequiredFreeSpace(7999999));
    EXPECT_TRUE(HasRequiredFreeSpace(8000000));
}

// Each rule edits its input or fills a buffer of `size` bytes; "!" stands for
// a refusal (result 0) that leaves the text empty, "-" for an entry too long.
TEST(SetupLogic, TextRules)
{
    const std::string longest = "c:\\" + std::string(236, 'd'), spaced = "c:\\" + std::string(229, 'd') + " dddddd";
    // Rules: s source directory, r volume root, e directory entry, c command line.
    const struct { char rule; std::string in, out; uint32_t size; } cases[] = {
        {'s', "D:\\SETUP\\SETUP.EXE", "d:\\setup\\"}, {'s', "SETUP.EXE", "setup.exe"},
        {'s', "\\\\Server\\Share\\Setup.exe", "\\\\server\\share\\"}, {'s', "C:\\\xC4RGER\\A", "c:\\\xC4rger\\"},
        {'r', "c:\\orvanet", "c:\\", 9}, {'r', "orvanet", "orvanet\\", 9}, {'r', "orvanets", "!", 9},
        {'r', "\\\\server\\share", "\\", 9}, {'e', "c:\\orvanet\\", "c:\\orvanet"}, {'e', "c:\\v\\\\", "c:\\v\\"},
        {'e', "", "!"}, {'e', "\\", "!"}, {'e', longest + "\\", longest}, {'e', longest + "d", "-"},
        {'c', "c:\\orvanet", "c:\\orvanet\\corvex\\corvex.exe main", 34}, {'c', "c:\\orvanet", "!", 33},
        {'c', "d:\\", "d:\\corvex\\corvex.exe main", 99},  // an earlier installation in a root
        {'c', spaced, "\"" + spaced + "\\corvex\\corvex.exe\" main", 239 + 64},
    };
    for (const auto& c : cases) {
        char in[300] = {}, out[400] = "junk";
        c.in.copy(in, sizeof in - 1);
        int result = c.rule == 's' ? (TakeSourceDirectory(in), 1)
                     : c.rule == 'r' ? VolumeRootOf(in, out, c.size)
                     : c.rule == 'e' ? AcceptDirectoryEntry(in)
                                     : FormatRegistrationCommand(in, out, c.size);
        std::string got = c.rule == 's' || c.rule == 'e' ? in : out;
        EXPECT_EQ(result == DIRECTORY_TOO_LONG ? "-" : result == 0 ? "!" + got : got, c.out) << c.in;
    }
}
