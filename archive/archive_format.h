// The component archive container: a signed 32-bit member count, a directory
// of 29-byte entries right after it, and one explode stream per member
// wherever its entry points. All numbers are little-endian. These procedures
// only turn bytes into entries and back and judge member names; reading the
// file is up to the caller (setup's extraction, ztool).
#ifndef VELORIN_ARCHIVE_ARCHIVE_FORMAT_H
#define VELORIN_ARCHIVE_ARCHIVE_FORMAT_H

#include <stdint.h>

enum {
    ARCHIVE_COUNT_SIZE = 4,     // bytes of the member count at offset 0
    ARCHIVE_ENTRY_SIZE = 29,    // bytes of one directory entry
    ARCHIVE_NAME_SIZE = 13,     // bytes of an entry's name field
    ARCHIVE_NAME_MAX = 12       // characters of a name, without its zero
};

enum {
    ARCHIVE_DAMAGED = 0,
    ARCHIVE_VALID = 1
};

// Laid out like the Win32 FILETIME: 100-ns intervals since 1601-01-01 UTC.
struct ArchiveFileTime {
    uint32_t lowDateTime;
    uint32_t highDateTime;
};

struct ArchiveEntry {
    char name[ARCHIVE_NAME_SIZE];  // zero-terminated bare file name
    ArchiveFileTime lastWriteTime; // given to the unpacked file
    uint32_t dataOffset;           // first byte of the member's stream
    uint32_t endOffset;            // first byte after it
};

// File offset of directory entry `index`: 4 + 29 * index, or 0 when that
// does not fit in 32 bits (index above 148102320), which callers treat as
// an entry that cannot be read.
uint32_t ArchiveEntryOffset(uint32_t index);

// Reads the member count from `length` bytes. ARCHIVE_VALID with *count set
// (0 or less means no members), or ARCHIVE_DAMAGED when length < 4.
int ArchiveParseCount(const unsigned char* bytes, uint32_t length, int32_t* count);

// Reads one entry from `length` bytes. ARCHIVE_VALID, or ARCHIVE_DAMAGED when
// length < 29, the name field has no zero, or the name is not
// ArchiveNameIsSafe. A damaged entry leaves *entry unspecified.
int ArchiveParseEntry(const unsigned char* bytes, uint32_t length, ArchiveEntry* entry);

// 1 when the zero-terminated name can only mean a file directly inside the
// target folder: 1 to 12 characters, not "." or "..", none of \ / :, and no
// device name (CON, PRN, AUX, NUL, CLOCK$, COM1-COM9, LPT1-LPT9, and COM or
// LPT followed by the superscript digit 0xB9, 0xB2 or 0xB3; with or without an
// extension, in any case). Otherwise 0.
int ArchiveNameIsSafe(const char* name);

// 1 when the name is safe and an 8.3 name: 1 to 8 name characters, then
// optionally a dot and 1 to 3 extension characters; letters, digits and
// ! # $ % & ' ( ) - @ ^ _ ` { } ~ and bytes 128-255. Otherwise 0.
int ArchiveNameIsShort(const char* name);

// Writes the member count as 4 bytes.
void ArchiveFormatCount(int32_t count, unsigned char* bytes);

// Writes the entry as 29 bytes, the name field zero-padded. Returns 1, or 0
// with nothing written when the name is not safe (it would read back as a
// damaged entry).
int ArchiveFormatEntry(const ArchiveEntry* entry, unsigned char* bytes);

#endif
