#include "archive_reading.h"

#include "ztool.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

struct MemberReader {
    const unsigned char* file;
    std::size_t fileSize;
    std::size_t position;
    std::size_t end;  // SIZE_MAX: no bound but the file's end
};

uint32_t ReadMember(unsigned char* buffer, uint32_t* size, void* context)
{
    MemberReader* reader = (MemberReader*)context;
    std::size_t limit = reader->end < reader->fileSize ? reader->end : reader->fileSize;
    if (reader->position >= limit)
        return 0;
    std::size_t n = limit - reader->position;
    if (n > *size)
        n = *size;
    for (std::size_t i = 0; i < n; ++i)
        buffer[i] = reader->file[reader->position + i];
    reader->position += n;
    return (uint32_t)n;
}

} // namespace

int LoadArchive(const std::string& path, LoadedArchive* archive)
{
    archive->path = path;
    std::string error;
    if (!ReadWholeFile(path, &archive->bytes, &error))
        return Fail(ZTOOL_NO_INPUT, path, error);
    const std::vector<unsigned char>& bytes = archive->bytes;
    int32_t count = 0;
    if (!ArchiveParseCount(bytes.data(), (uint32_t)std::min<std::size_t>(bytes.size(), 4), &count))
        return Fail(ZTOOL_DAMAGED, path, "damaged archive: the member count cannot be read whole");
    for (int32_t i = 0; i < count; ++i) {
        std::size_t offset = ARCHIVE_COUNT_SIZE + ARCHIVE_ENTRY_SIZE * (std::size_t)i;
        std::size_t available = offset < bytes.size() ? bytes.size() - offset : 0;
        if (available > ARCHIVE_ENTRY_SIZE)
            available = ARCHIVE_ENTRY_SIZE;
        std::string which = "damaged archive: entry " + std::to_string(i) + " of " +
                            std::to_string(count);
        if (available < ARCHIVE_ENTRY_SIZE)
            return Fail(ZTOOL_DAMAGED, path, which + " cannot be read whole");
        ArchiveEntry entry;
        if (!ArchiveParseEntry(bytes.data() + offset, (uint32_t)available, &entry))
            return Fail(ZTOOL_DAMAGED, path, which + " has an unterminated or unsafe name");
        archive->entries.push_back(entry);
    }
    return ZTOOL_OK;
}

std::size_t MemberStreamSize(const LoadedArchive& archive, const ArchiveEntry& entry)
{
    std::size_t size = archive.bytes.size();
    if (entry.dataOffset >= size)
        return 0;
    std::size_t end = entry.endOffset >= entry.dataOffset && entry.endOffset < size
                          ? entry.endOffset
                          : size;
    return end - entry.dataOffset;
}

int ExplodeMember(const LoadedArchive& archive, const ArchiveEntry& entry, ExplodeWriteFn write,
                  void* context)
{
    MemberReader reader;
    reader.file = archive.bytes.data();
    reader.fileSize = archive.bytes.size();
    reader.position = entry.dataOffset;
    reader.end = entry.endOffset >= entry.dataOffset ? entry.endOffset : SIZE_MAX;
    // The sink keeps its own context; the reader travels in a pair.
    struct Pair {
        MemberReader* reader;
        ExplodeWriteFn write;
        void* context;
    } pair = {&reader, write, context};
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    return Explode(
        [](unsigned char* buffer, uint32_t* size, void* c) -> uint32_t {
            return ReadMember(buffer, size, ((Pair*)c)->reader);
        },
        [](unsigned char* buffer, uint32_t* size, void* c) -> int {
            return ((Pair*)c)->write(buffer, size, ((Pair*)c)->context);
        },
        state.get(), &pair);
}

std::string ExplodeResultText(int result)
{
    switch (result) {
    case EXPLODE_OK:
        return "decoded";
    case EXPLODE_BAD_DICTIONARY:
        return "stream header has a bad dictionary size";
    case EXPLODE_BAD_LITERAL_MODE:
        return "stream header has a bad literal mode";
    case EXPLODE_SHORT_INPUT:
        return "stream is shorter than 5 bytes";
    default:
        return "stream ends before its end-of-stream code";
    }
}
