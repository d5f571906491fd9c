// The archive directory reader on arbitrary files, as the extraction uses it:
// entries read at their offsets until one is damaged, each accepted name a
// bare file name, each entry written back byte for byte, and each member's
// stream decoded within its bounds.
#include "archive_format.h"
#include "explode_harness.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int32_t count = 0;
    if (!ArchiveParseCount(data, size < 4 ? (uint32_t)size : 4, &count))
        return 0;
    for (int32_t i = 0; i < count && i < 8; ++i) {
        uint32_t offset = ArchiveEntryOffset((uint32_t)i);
        ArchiveEntry entry;
        if (!ArchiveParseEntry(data + offset, offset < size ? (uint32_t)(size - offset) : 0, &entry))
            break;
        unsigned char again[ARCHIVE_ENTRY_SIZE];
        std::size_t length = std::strlen(entry.name);
        if (length < 1 || length > 12 || std::strpbrk(entry.name, "\\/:") != nullptr ||
            std::strcmp(entry.name, ".") == 0 || std::strcmp(entry.name, "..") == 0 || ArchiveFormatEntry(&entry, again) != 1 ||
            std::memcmp(again, data + offset, length + 1) != 0 ||
            std::memcmp(again + 13, data + offset + 13, 16) != 0)
            std::abort();
        std::size_t end = entry.endOffset >= entry.dataOffset && entry.endOffset < size ? entry.endOffset : size;
        if (entry.dataOffset < end)
            RunExplode(Bytes(data + entry.dataOffset, data + end));
    }
    return 0;
}
