// The archive directory reader on arbitrary files, as the extraction uses it:
// entries read at their offsets until one is damaged, each accepted entry
// written back byte for byte. Member streams are Explode's to fuzz.
#include "archive_format.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t count = 0;
    ArchiveParseCount(data, size < 4 ? (uint32_t)size : 4, &count);
    ArchiveEntry entry;
    unsigned char again[ARCHIVE_ENTRY_SIZE];
    for (uint32_t i = 0, at = 4; (int32_t)i < count && i < 8; at = ArchiveEntryOffset(++i)) {
        if (!ArchiveParseEntry(data + at, at < size ? (uint32_t)(size - at) : 0, &entry)) return 0;
        if (!ArchiveFormatEntry(&entry, again) ||
            std::memcmp(again, data + at, std::strlen(entry.name) + 1) ||
            std::memcmp(again + 13, data + at + 13, 16))
            __builtin_trap();
    }
    return 0;
}
