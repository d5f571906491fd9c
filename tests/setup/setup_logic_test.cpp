// The front end's arithmetic and text rules, natively.
#include <gtest/gtest.h>
#include <string>
#include "setup_logic.h"

TEST(ProgressTotal, ParsesTheResourceNumberLikeTheEntry)
{
    EXPECT_EQ(ParseSignedDecimal("1500000"), 1500000);
    EXPECT_EQ(ParseSignedDecimal(" \t\n\v\f\r+42x"), 42);
    EXPECT_EQ(ParseSignedDecimal("-7"), -7);
    EXPECT_EQ(ParseSignedDecimal("12 34"), 12);
    EXPECT_EQ(ParseSignedDecimal(""), 0);
    EXPECT_EQ(ParseSignedDecimal("abc"), 0);
    EXPECT_EQ(ParseSignedDecimal("+-5"), 0);           // one sign only
    EXPECT_EQ(ParseSignedDecimal("4294967297"), 1);    // 32-bit wrap, no overflow check
}

TEST(ProgressTotal, OnePercentIsNeverZero)
{
    EXPECT_EQ(BytesPerPercentOf(1500000), 15000u);
    EXPECT_EQ(BytesPerPercentOf(199), 1u);
    EXPECT_EQ(BytesPerPercentOf(99), 1u);
    EXPECT_EQ(BytesPerPercentOf(0), 1u);
    EXPECT_EQ(BytesPerPercentOf((uint32_t)ParseSignedDecimal("-1")), 42949672u);
}

static std::string SourceDirOf(const char* path)
{
    char buffer[300];
    snprintf(buffer, sizeof buffer, "%s", path);
    TakeSourceDirectory(buffer);
    return buffer;
}

TEST(SourceDirectory, KeepsTheLastBackslashAndLowerCases)
{
    EXPECT_EQ(SourceDirOf("D:\\SETUP\\SETUP.EXE"), "d:\\setup\\");
    EXPECT_EQ(SourceDirOf("A:\\SETUP.EXE"), "a:\\");
    EXPECT_EQ(SourceDirOf("\\\\Server\\Share\\Setup.exe"), "\\\\server\\share\\");
    EXPECT_EQ(SourceDirOf("SETUP.EXE"), "setup.exe");   // no backslash: stays whole
    EXPECT_EQ(SourceDirOf("C:\\\xC4RGER\\Setup.exe"), "c:\\\xC4rger\\");   // only ASCII capitals change
}

TEST(CenterDialog, TruncatesTowardZeroAndGoesNegativeForBigPages)
{
    EXPECT_EQ(CenteredOrigin(1024, 400), 312);
    EXPECT_EQ(CenteredOrigin(1024, 401), 311);
    EXPECT_EQ(CenteredOrigin(640, 643), -1);     // -3 / 2
    EXPECT_EQ(CenteredOrigin(640, 645), -2);     // -5 / 2
    EXPECT_EQ(CenteredOrigin(0, 0), 0);
}

static std::string RootOf(const char* dir, uint32_t size = 300)
{
    char root[300] = "junk";
    int fits = VolumeRootOf(dir, root, size);
    return std::to_string(fits) + ":" + root;
}

TEST(FreeSpace, RootIsTheTextUpToTheFirstBackslash)
{
    EXPECT_EQ(RootOf("c:\\orvanet"), "1:c:\\");
    EXPECT_EQ(RootOf("c:"), "1:c:\\");
    EXPECT_EQ(RootOf("orvanet"), "1:orvanet\\");
    EXPECT_EQ(RootOf("\\\\server\\share"), "1:\\");
    EXPECT_EQ(RootOf("abc", 5), "1:abc\\");
    EXPECT_EQ(RootOf("abcd", 5), "0:");          // never a cut root
}

TEST(FreeSpace, ProductSaturatesInsteadOfWrapping)
{
    EXPECT_EQ(FreeBytesOf(1953, 512, 8), 7999488u);
    EXPECT_EQ(FreeBytesOf(0, 512, 8), 0u);
    // 4 GiB free would wrap to 0 in 32 bits.
    EXPECT_EQ(FreeBytesOf(1048576, 512, 8), 0xFFFFFFFFu);
    EXPECT_EQ(FreeBytesOf(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(FreeBytesOf(1048575, 512, 8), 0xFFFFF000u);
}

static std::string Accept(const std::string& entry, int* result)
{
    char buffer[600];
    snprintf(buffer, sizeof buffer, "%s", entry.c_str());
    *result = AcceptDirectoryEntry(buffer);
    return buffer;
}

TEST(DirectoryEntry, RemovesOneTrailingBackslashAndRefusesEmptyOrLongEntries)
{
    int result = 0;
    EXPECT_EQ(Accept("c:\\orvanet\\", &result), "c:\\orvanet");
    EXPECT_EQ(result, DIRECTORY_ACCEPTED);
    EXPECT_EQ(Accept("c:\\orvanet\\\\", &result), "c:\\orvanet\\");
    EXPECT_EQ(result, DIRECTORY_ACCEPTED);
    EXPECT_EQ(Accept("c:\\", &result), "c:");
    EXPECT_EQ(result, DIRECTORY_ACCEPTED);
    Accept("", &result);
    EXPECT_EQ(result, DIRECTORY_EMPTY);
    Accept("\\", &result);
    EXPECT_EQ(result, DIRECTORY_EMPTY);

    std::string longest = "c:\\" + std::string(236, 'd');   // 239 characters
    EXPECT_EQ(Accept(longest, &result), longest);
    EXPECT_EQ(result, DIRECTORY_ACCEPTED);
    Accept(longest + "\\", &result);
    EXPECT_EQ(result, DIRECTORY_ACCEPTED);
    Accept(longest + "d", &result);
    EXPECT_EQ(result, DIRECTORY_TOO_LONG);
}

static std::string Command(const std::string& installDir, uint32_t size = 600)
{
    char out[600] = "junk";
    if (!FormatRegistrationCommand(installDir.c_str(), out, size))
        return std::string("<no fit>") + out;
    return out;
}

TEST(RegistrationCommand, QuotesTheProgramOnlyWhenTheDirectoryHasABlank)
{
    EXPECT_EQ(Command("c:\\orvanet"), "c:\\orvanet\\corvex\\corvex.exe main");
    EXPECT_EQ(Command("d:\\"), "d:\\corvex\\corvex.exe main");  // an earlier installation in a root
    EXPECT_EQ(Command("c:\\Program Files\\orvanet"), "\"c:\\Program Files\\orvanet\\corvex\\corvex.exe\" main");
    // The longest accepted directory fits the page's buffer with quotes.
    std::string longest = "c:\\" + std::string(230, 'd') + " dddddd";
    EXPECT_EQ(Command(longest, 239 + 64), "\"" + longest + "\\corvex\\corvex.exe\" main");
    // Never a cut command line.
    EXPECT_EQ(Command("c:\\orvanet", 33), "<no fit>");
    EXPECT_EQ(Command("c:\\orvanet", 34), "c:\\orvanet\\corvex\\corvex.exe main");
}
