// The archive directory: byte layout, damaged entries and the name rules.
#include "archive_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

typedef std::vector<unsigned char> Bytes;

TEST(ArchiveFormat, LittleEndianLayoutAndDamagedEntries) {
    ArchiveEntry entry = { "CORV\xC9X.EXE", { 0x89ABCDEF, 0x01234567 }, 0x11223344, 0xA0B0C0D0 };
    ArchiveEntry back;
    Bytes bytes(ARCHIVE_ENTRY_SIZE), again(ARCHIVE_ENTRY_SIZE);
    ASSERT_EQ(ArchiveFormatEntry(&entry, bytes.data()), 1);
    EXPECT_EQ(
        bytes, Bytes({ 'C', 'O', 'R', 'V', 0xC9, 'X', '.', 'E', 'X', 'E', 0, 0, 0, 0xEF, 0xCD, 0xAB,
                   0x89, 0x67, 0x45, 0x23, 0x01, 0x44, 0x33, 0x22, 0x11, 0xD0, 0xC0, 0xB0, 0xA0 }));
    bytes[11] = '!';  // after the name's zero: not part of it
    ASSERT_EQ(ArchiveParseEntry(bytes.data(), 29, &back), ARCHIVE_VALID);
    ASSERT_EQ(ArchiveFormatEntry(&back, again.data()), 1);
    bytes[11] = 0;
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 28, &back), ARCHIVE_DAMAGED);
    std::memcpy(bytes.data(), "ABCDEFGHIJKLM", 13);  // no zero in the name field
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 29, &back), ARCHIVE_DAMAGED);
    // Unsafe names (NameRules) are neither read nor written.
    std::memcpy(bytes.data(), "CON .TXT", 9);
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 29, &back), ARCHIVE_DAMAGED);
    std::memcpy(entry.name, "CON .TXT", 9);
    again.assign(ARCHIVE_ENTRY_SIZE, 0x77);
    EXPECT_EQ(ArchiveFormatEntry(&entry, again.data()), 0);
    EXPECT_EQ(again, Bytes(ARCHIVE_ENTRY_SIZE, 0x77)) << "written for an unsafe name";

    EXPECT_EQ(ArchiveEntryOffset(148102320), 4294967284u);
    EXPECT_EQ(ArchiveEntryOffset(148102321), 0u);  // past 32 bits
}

// Unsafe names could leave the target folder or open a device. Short names are the 8.3 ones.
// clang-format off
const struct { const char* name; int safe, isShort; std::vector<const char*> names; } NAMES[] = {
    {"no file in the folder", 0, 0, {"", ".", "..", "..\\x", "a/b", "c:x"}},
    {"a device, in any case", 0, 0, {"CON", "Nul", "aux", "CLOCK$"}},
    {"a device with an extension", 0, 0, {"con.txt", "PRN.Z", "CON .TXT"}},
    {"a port 1 to 9", 0, 0, {"COM1", "lpt9.log"}},
    {"a port with a superscript digit", 0, 0, {"COM\xB9", "lpt\xB2.txt", "Com\xB3", "LPT\xB3.Z"}},
    {"nearly a device", 1, 1, {"COM\xB4", "LPT\xB9\xB9", "COM0.TXT", "COM", "LPT10", "CONSOLE"}},
    {"8.3", 1, 1, {"corvex.z", "ABCDEFGH.TXT", "X.1"}},
    {"8.3 of the other characters", 1, 1, {"~$!#%&'(.)-@", "{A}^_`.~"}},
    {"not 8.3", 1, 0, {"...", ".x", "A B", "ABCDEFGHI", "A.TEXT", "A.B.C", "A.", "A+B", "A[1]"}},
};
// clang-format on

TEST(ArchiveFormat, NameRules) {
    for (const auto& row : NAMES)
        for (const char* name : row.names) {
            SCOPED_TRACE(testing::Message() << row.name << ": \"" << name << '"');
            EXPECT_EQ(ArchiveNameIsSafe(name), row.safe);
            EXPECT_EQ(ArchiveNameIsShort(name), row.isShort);
        }
}
