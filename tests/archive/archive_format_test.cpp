// The archive directory: byte layout, damaged entries and the name rules.
#include "archive_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

ArchiveEntry MakeEntry(const char* name)
{
    ArchiveEntry entry;
    std::memset(&entry, 0, sizeof(entry));
    std::strncpy(entry.name, name, sizeof(entry.name) - 1);
    entry.lastWriteTime.lowDateTime = 0x89ABCDEF;
    entry.lastWriteTime.highDateTime = 0x01234567;
    entry.dataOffset = 0x11223344;
    entry.endOffset = 0xA0B0C0D0;
    return entry;
}

// An entry whose name field holds exactly these 13 bytes.
Bytes RawEntry(const char (&field)[14])
{
    Bytes bytes(ARCHIVE_ENTRY_SIZE, 0);
    std::memcpy(bytes.data(), field, 13);
    return bytes;
}

TEST(ArchiveFormat, EntryLayoutIsLittleEndianWithoutGaps)
{
    ArchiveEntry entry = MakeEntry("CORVEX.EXE");
    Bytes bytes(ARCHIVE_ENTRY_SIZE, 0xCC);
    ASSERT_EQ(ArchiveFormatEntry(&entry, bytes.data()), 1);
    const Bytes expected = {'C', 'O', 'R', 'V', 'E', 'X', '.', 'E', 'X', 'E', 0, 0, 0,
                            0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01,
                            0x44, 0x33, 0x22, 0x11,
                            0xD0, 0xC0, 0xB0, 0xA0};
    EXPECT_EQ(bytes, expected);

    ArchiveEntry back;
    ASSERT_EQ(ArchiveParseEntry(bytes.data(), (uint32_t)bytes.size(), &back), ARCHIVE_VALID);
    EXPECT_STREQ(back.name, "CORVEX.EXE");
    EXPECT_EQ(back.lastWriteTime.lowDateTime, 0x89ABCDEFu);
    EXPECT_EQ(back.lastWriteTime.highDateTime, 0x01234567u);
    EXPECT_EQ(back.dataOffset, 0x11223344u);
    EXPECT_EQ(back.endOffset, 0xA0B0C0D0u);
}

TEST(ArchiveFormat, MemberCountIsSignedAndMustBeWhole)
{
    unsigned char bytes[4];
    int32_t count = 0;
    for (int32_t value : {0, 1, 7, -1, INT32_MIN, INT32_MAX}) {
        ArchiveFormatCount(value, bytes);
        ASSERT_EQ(ArchiveParseCount(bytes, 4, &count), ARCHIVE_VALID);
        EXPECT_EQ(count, value);
    }
    ArchiveFormatCount(0x01020304, bytes);
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(ArchiveParseCount(bytes, 3, &count), ARCHIVE_DAMAGED);
    EXPECT_EQ(ArchiveParseCount(bytes, 0, &count), ARCHIVE_DAMAGED);
}

TEST(ArchiveFormat, EntryOffsetsStopWhereThirtyTwoBitsEnd)
{
    EXPECT_EQ(ArchiveEntryOffset(0), 4u);
    EXPECT_EQ(ArchiveEntryOffset(2), 62u);
    EXPECT_EQ(ArchiveEntryOffset(148102320), 4294967284u);
    EXPECT_EQ(ArchiveEntryOffset(148102321), 0u);
    EXPECT_EQ(ArchiveEntryOffset(0xFFFFFFFF), 0u);
}

TEST(ArchiveFormat, TruncatedOrUnterminatedEntriesAreDamaged)
{
    ArchiveEntry entry = MakeEntry("A.TXT");
    Bytes bytes(ARCHIVE_ENTRY_SIZE);
    ASSERT_EQ(ArchiveFormatEntry(&entry, bytes.data()), 1);
    ArchiveEntry out;
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 28, &out), ARCHIVE_DAMAGED);
    EXPECT_EQ(ArchiveParseEntry(bytes.data(), 0, &out), ARCHIVE_DAMAGED);

    EXPECT_EQ(ArchiveParseEntry(RawEntry("ABCDEFGHIJKLM").data(), 29, &out), ARCHIVE_DAMAGED);
    Bytes twelve = RawEntry("ABCDEFGH.TXT\0");
    EXPECT_EQ(ArchiveParseEntry(twelve.data(), 29, &out), ARCHIVE_VALID);
    EXPECT_STREQ(out.name, "ABCDEFGH.TXT");
    // Bytes after the terminating zero do not become part of the name.
    Bytes trailing = RawEntry("A.B\0garbage!!");
    EXPECT_EQ(ArchiveParseEntry(trailing.data(), 29, &out), ARCHIVE_VALID);
    EXPECT_STREQ(out.name, "A.B");
    EXPECT_EQ(out.name[5], 0);
}

TEST(ArchiveFormat, NamesThatCouldLeaveTheTargetFolderAreDamaged)
{
    const char* unsafe[] = {"",        ".",        "..",       "..\\x",    "a\\b",    "a/b",
                            "/",       "c:x",      "C:",       "CON",      "con.txt", "Nul",
                            "PRN.Z",   "aux",      "COM1",     "lpt9.log", "CLOCK$",  "CON .TXT",
                            "ABCDEFGHIJKLM"};
    for (const char* name : unsafe) {
        EXPECT_EQ(ArchiveNameIsSafe(name), 0) << '"' << name << '"';
        Bytes bytes(ARCHIVE_ENTRY_SIZE, 0x77);
        if (std::strlen(name) <= 12) {
            ArchiveEntry entry = MakeEntry(name);
            EXPECT_EQ(ArchiveFormatEntry(&entry, bytes.data()), 0) << name;
            EXPECT_EQ(bytes, Bytes(ARCHIVE_ENTRY_SIZE, 0x77)) << "written for " << name;
        }
        std::memcpy(bytes.data(), name, std::min<std::size_t>(std::strlen(name), 12));
        bytes[std::min<std::size_t>(std::strlen(name), 12)] = 0;
        ArchiveEntry out;
        if (std::strlen(name) <= 12)
            EXPECT_EQ(ArchiveParseEntry(bytes.data(), 29, &out), ARCHIVE_DAMAGED) << name;
    }
    const char* safe[] = {"...", ".x", "CONFIG.SYS", "COM", "COM0.TXT", "LPT10", "CONSOLE",
                          "x..y", "corvex.exe", "A B"};
    for (const char* name : safe)
        EXPECT_EQ(ArchiveNameIsSafe(name), 1) << '"' << name << '"';
}

TEST(ArchiveFormat, ShortNames)
{
    const char* good[] = {"A", "CORVEX.EXE", "corvex.z", "ABCDEFGH.TXT", "README", "X.1",
                          "~$!#%&'(.)-@", "{A}^_`.~"};
    for (const char* name : good)
        EXPECT_EQ(ArchiveNameIsShort(name), 1) << '"' << name << '"';
    const char* bad[] = {"ABCDEFGHI", "A.TEXT", "A.B.C", ".TXT", "A.", "A B.TXT", "A+B",
                         "A;B", "A[1]", "A=B", "A,B", "NUL.TXT", "..", "a/b", ""};
    for (const char* name : bad)
        EXPECT_EQ(ArchiveNameIsShort(name), 0) << '"' << name << '"';
}

} // namespace
