// The archive directory: byte layout, damaged entries and the name rules.
#include "archive_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

typedef std::vector<unsigned char> Bytes;

TEST(ArchiveFormat, LittleEndianLayoutAndDamagedEntries)
{
    ArchiveEntry entry = { "CORVEX.EXE", { 0x89ABCDEF, 0x01234567 }, 0x11223344, 0xA0B0C0D0 }, back;
    Bytes bytes(ARCHIVE_ENTRY_SIZE), again(ARCHIVE_ENTRY_SIZE);
    ASSERT_EQ(ArchiveFormatEntry(&entry, bytes.data()), 1);
    EXPECT_EQ(bytes, Bytes({ 'C',  'O',  'R',  'V',  'E',  'X',  '.',  'E',  'X',  'E',
                             0,    0,    0,    0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23,
                             0x01, 0x44, 0x33, 0x22, 0x11, 0xD0, 0xC0, 0xB0, 0xA0 }));
    bytes[11] = '!';  // after the name's zero: not part of it
    ASSERT_EQ(ArchiveParseEntry(bytes.data(), 29, &back), ARCHIVE_VALID);
    ASSERT_EQ(ArchiveFormatEntry(&back, again.data()), 1);
    bytes[11] = 0;
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 28, &back), ARCHIVE_DAMAGED);
    std::memcpy(bytes.data(), "ABCDEFGHIJKLM", 13);  // no zero in the name field
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 29, &back), ARCHIVE_DAMAGED);

    EXPECT_EQ(ArchiveEntryOffset(148102320), 4294967284u);
    EXPECT_EQ(ArchiveEntryOffset(148102321), 0u);  // past 32 bits
}

// Unsafe names could leave the target folder or open a device; they are
// refused when read and when written. Short names are the 8.3 ones.
TEST(ArchiveFormat, NameRules)
{
    // clang-format off
    const struct { const char* name; int safe, isShort; } cases[] = {
        {"", 0, 0}, {".", 0, 0}, {"..", 0, 0}, {"..\\x", 0, 0}, {"a/b", 0, 0}, {"c:x", 0, 0},
        {"CON", 0, 0},
        {"con.txt", 0, 0}, {"Nul", 0, 0}, {"aux", 0, 0}, {"PRN.Z", 0, 0}, {"CLOCK$", 0, 0},
        {"CON .TXT", 0, 0},
        {"COM1", 0, 0}, {"lpt9.log", 0, 0}, {"COM\xB9", 0, 0}, {"lpt\xB2.txt", 0, 0},
        {"Com\xB3", 0, 0},
        {"LPT\xB3.Z", 0, 0}, {"COM\xB4", 1, 1}, {"LPT\xB9\xB9", 1, 1}, {"COM0.TXT", 1, 1},
        {"COM", 1, 1},
        {"LPT10", 1, 1}, {"CONSOLE", 1, 1}, {"corvex.z", 1, 1}, {"ABCDEFGH.TXT", 1, 1},
        {"X.1", 1, 1},
        {"~$!#%&'(.)-@", 1, 1}, {"{A}^_`.~", 1, 1}, {"...", 1, 0}, {".x", 1, 0}, {"A B", 1, 0},
        {"ABCDEFGHI", 1, 0}, {"A.TEXT", 1, 0}, {"A.B.C", 1, 0}, {"A.", 1, 0}, {"A+B", 1, 0},
        {"A[1]", 1, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ArchiveNameIsSafe(c.name), c.safe) << '"' << c.name << '"';
        EXPECT_EQ(ArchiveNameIsShort(c.name), c.isShort) << '"' << c.name << '"';
        ArchiveEntry entry = {};
        std::strncpy(entry.name, c.name, ARCHIVE_NAME_MAX);
        Bytes bytes(ARCHIVE_ENTRY_SIZE, 0x77);
        EXPECT_EQ(ArchiveFormatEntry(&entry, bytes.data()), c.safe) << c.name;
        EXPECT_TRUE(c.safe || bytes == Bytes(ARCHIVE_ENTRY_SIZE, 0x77)) << "written for " << c.name;
        std::memcpy(bytes.data(), entry.name, ARCHIVE_NAME_SIZE);
        EXPECT_EQ(ArchiveParseEntry(bytes.data(), 29, &entry),
                  c.safe ? ARCHIVE_VALID : ARCHIVE_DAMAGED)
            << c.name;
    }
}
