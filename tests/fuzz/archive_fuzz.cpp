// The archive directory reader on arbitrary files, as the extraction uses it:
// entries read at their offsets until one is damaged, each accepted entry
// written back byte for byte, each member's stream decoded within its bounds.
#include "archive_format.h"
#include "explode_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int32_t count = 0;
    ArchiveParseCount(data, size < 4 ? (uint32_t)size : 4, &count);
    ArchiveEntry entry;
    unsigned char again[ARCHIVE_ENTRY_SIZE];
    for (uint32_t i = 0, at = 4; (int32_t)i < count && i < 8; at = ArchiveEntryOffset(++i)) {
        if (!ArchiveParseEntry(data + at, at < size ? (uint32_t)(size - at) : 0, &entry))
            return 0;
        std::size_t end = entry.endOffset < size ? entry.endOffset : size;
        if (!ArchiveFormatEntry(&entry, again) || std::memcmp(again, data + at, std::strlen(entry.name) + 1) ||
            std::memcmp(again + 13, data + at + 13, 16))
            __builtin_trap();
        RunExplode(Bytes(data + std::min<std::size_t>(entry.dataOffset, size),
                         data + (end >= entry.dataOffset ? end : size)));
    }
    return 0;
}
