// The archive directory reader on arbitrary files, as the setup program uses
// it: entries read at their offsets until one is damaged, every accepted
// name checked again here, accepted entries written back byte for byte, and
// each member's stream decoded within its bounds by Explode and by the
// reference decoder alike.
#include "archive_format.h"
#include "explode.h"
#include "reference_explode.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const int32_t MEMBERS_CHECKED = 8;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Member {
    const uint8_t* file;
    uint32_t fileSize;
    uint32_t position;
    uint32_t end;
    std::vector<unsigned char> output;
};

// Bounded like setup's reads: up to endOffset, or to the file's end when
// endOffset lies below the position.
uint32_t ReadMember(unsigned char* buffer, uint32_t* size, void* context)
{
    Member* m = (Member*)context;
    if (m->position == m->end || m->position >= m->fileSize)
        return 0;
    uint32_t n = *size;
    if (m->end - m->position <= n)
        n = m->end - m->position;
    if (n > m->fileSize - m->position)
        n = m->fileSize - m->position;
    std::memcpy(buffer, m->file + m->position, n);
    m->position += n;
    return n;
}

int WriteMember(unsigned char* buffer, uint32_t* size, void* context)
{
    Member* m = (Member*)context;
    m->output.insert(m->output.end(), buffer, buffer + *size);
    return 1;
}

void CheckName(const char* name)
{
    std::size_t length = std::strlen(name);
    Check(length >= 1 && length <= 12);
    Check(std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0);
    Check(std::strpbrk(name, "\\/:") == nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int32_t count = 0;
    uint32_t fileSize = (uint32_t)size;
    if (!ArchiveParseCount(data, fileSize < 4 ? fileSize : 4, &count)) {
        Check(size < 4);
        return 0;
    }
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    for (int32_t i = 0; i < count && i < MEMBERS_CHECKED; ++i) {
        uint32_t offset = ArchiveEntryOffset((uint32_t)i);
        uint32_t available = offset < fileSize ? fileSize - offset : 0;
        ArchiveEntry entry;
        if (!ArchiveParseEntry(data + offset, available, &entry)) {
            Check(available < ARCHIVE_ENTRY_SIZE || std::memchr(data + offset, 0, 13) == nullptr ||
                  !ArchiveNameIsSafe((const char*)data + offset));
            break;
        }
        CheckName(entry.name);
        Check(std::memcmp(entry.name, data + offset, std::strlen(entry.name) + 1) == 0);
        unsigned char again[ARCHIVE_ENTRY_SIZE];
        Check(ArchiveFormatEntry(&entry, again) == 1);
        Check(std::memcmp(again + 13, data + offset + 13, 16) == 0);

        Member fast = {data, fileSize, entry.dataOffset, entry.endOffset, {}};
        Member plain = fast;
        int result = Explode(ReadMember, WriteMember, state.get(), &fast);
        Check(result == ReferenceExplode(ReadMember, WriteMember, &plain));
        Check(fast.output == plain.output);
        Check(fast.position == plain.position);
    }
    return 0;
}
