#include "archive_format.h"

namespace {

enum {
    NAME_OFFSET = 0,
    TIME_OFFSET = 13,
    DATA_OFFSET_OFFSET = 21,
    END_OFFSET_OFFSET = 25
};

uint32_t ReadLe32(const unsigned char* bytes)
{
    return (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
}

void WriteLe32(uint32_t value, unsigned char* bytes)
{
    bytes[0] = (unsigned char)value;
    bytes[1] = (unsigned char)(value >> 8);
    bytes[2] = (unsigned char)(value >> 16);
    bytes[3] = (unsigned char)(value >> 24);
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

// Compares the first `length` characters of name with an upper-case word.
int EqualsWord(const char* name, uint32_t length, const char* word)
{
    uint32_t i = 0;
    for (; i < length; ++i) {
        if (word[i] == 0 || UpperAscii(name[i]) != word[i])
            return 0;
    }
    return word[i] == 0;
}

// COM and LPT ports are numbered 1 to 9; Windows also reserves the
// superscript digits one, two and three of the system code page (0xB9, 0xB2,
// 0xB3) as port numbers.
int IsDevicePortDigit(unsigned char c)
{
    return (c >= '1' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3;
}

// Windows opens a device, not a file, for these base names whatever the
// folder or extension, so writing there would leave the target folder.
int IsDeviceName(const char* name)
{
    uint32_t length = 0;
    while (name[length] != 0 && name[length] != '.')
        ++length;
    while (length > 0 && name[length - 1] == ' ')
        --length;
    static const char* const words[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (uint32_t i = 0; i < sizeof(words) / sizeof(words[0]); ++i) {
        if (EqualsWord(name, length, words[i]))
            return 1;
    }
    if (length == 4 && IsDevicePortDigit((unsigned char)name[3]))
        return EqualsWord(name, 3, "COM") || EqualsWord(name, 3, "LPT");
    return 0;
}

int IsShortNameCharacter(unsigned char c)
{
    if (c >= 128)
        return 1;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return 1;
    const char* extra = "!#$%&'()-@^_`{}~";
    for (; *extra != 0; ++extra) {
        if (c == (unsigned char)*extra)
            return 1;
    }
    return 0;
}

} // namespace

uint32_t ArchiveEntryOffset(uint32_t index)
{
    const uint32_t lastIndex = (0xFFFFFFFFu - ARCHIVE_COUNT_SIZE) / ARCHIVE_ENTRY_SIZE;
    if (index > lastIndex)
        return 0;
    return ARCHIVE_COUNT_SIZE + ARCHIVE_ENTRY_SIZE * index;
}

int ArchiveParseCount(const unsigned char* bytes, uint32_t length, int32_t* count)
{
    if (length < ARCHIVE_COUNT_SIZE)
        return ARCHIVE_DAMAGED;
    *count = (int32_t)ReadLe32(bytes);
    return ARCHIVE_VALID;
}

int ArchiveParseEntry(const unsigned char* bytes, uint32_t length, ArchiveEntry* entry)
{
    if (length < ARCHIVE_ENTRY_SIZE)
        return ARCHIVE_DAMAGED;
    int terminated = 0;
    for (uint32_t i = 0; i < ARCHIVE_NAME_SIZE; ++i) {
        char c = (char)bytes[NAME_OFFSET + i];
        entry->name[i] = terminated ? 0 : c;
        if (c == 0)
            terminated = 1;
    }
    if (!terminated || !ArchiveNameIsSafe(entry->name))
        return ARCHIVE_DAMAGED;
    entry->lastWriteTime.lowDateTime = ReadLe32(bytes + TIME_OFFSET);
    entry->lastWriteTime.highDateTime = ReadLe32(bytes + TIME_OFFSET + 4);
    entry->dataOffset = ReadLe32(bytes + DATA_OFFSET_OFFSET);
    entry->endOffset = ReadLe32(bytes + END_OFFSET_OFFSET);
    return ARCHIVE_VALID;
}

int ArchiveNameIsSafe(const char* name)
{
    uint32_t length = 0;
    for (; name[length] != 0; ++length) {
        if (length == ARCHIVE_NAME_MAX)
            return 0;
        char c = name[length];
        if (c == '\\' || c == '/' || c == ':')
            return 0;
    }
    if (length == 0)
        return 0;
    if (name[0] == '.' && (length == 1 || (length == 2 && name[1] == '.')))
        return 0;
    return !IsDeviceName(name);
}

int ArchiveNameIsShort(const char* name)
{
    if (!ArchiveNameIsSafe(name))
        return 0;
    uint32_t base = 0;
    while (name[base] != 0 && name[base] != '.') {
        if (!IsShortNameCharacter((unsigned char)name[base]))
            return 0;
        ++base;
    }
    if (base == 0 || base > 8)
        return 0;
    if (name[base] == 0)
        return 1;
    uint32_t extension = 0;
    for (const char* c = name + base + 1; *c != 0; ++c, ++extension) {
        if (!IsShortNameCharacter((unsigned char)*c))
            return 0;
    }
    return extension >= 1 && extension <= 3;
}

void ArchiveFormatCount(int32_t count, unsigned char* bytes)
{
    WriteLe32((uint32_t)count, bytes);
}

int ArchiveFormatEntry(const ArchiveEntry* entry, unsigned char* bytes)
{
    if (!ArchiveNameIsSafe(entry->name))
        return 0;
    uint32_t i = 0;
    for (; entry->name[i] != 0; ++i)
        bytes[NAME_OFFSET + i] = (unsigned char)entry->name[i];
    for (; i < ARCHIVE_NAME_SIZE; ++i)
        bytes[NAME_OFFSET + i] = 0;
    WriteLe32(entry->lastWriteTime.lowDateTime, bytes + TIME_OFFSET);
    WriteLe32(entry->lastWriteTime.highDateTime, bytes + TIME_OFFSET + 4);
    WriteLe32(entry->dataOffset, bytes + DATA_OFFSET_OFFSET);
    WriteLe32(entry->endOffset, bytes + END_OFFSET_OFFSET);
    return 1;
}
