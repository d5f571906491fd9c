// `list` and `extract`.
#include "ztool.h"

#include "archive_reading.h"
#include "file_time.h"
#include "platform_files.h"

#include <cinttypes>
#include <cstdio>

namespace {

uint64_t EntryTime(const ArchiveEntry& entry)
{
    return (uint64_t)entry.lastWriteTime.highDateTime << 32 | entry.lastWriteTime.lowDateTime;
}

int CountBytes(unsigned char*, uint32_t* size, void* context)
{
    *(uint64_t*)context += *size;
    return 1;
}

struct MemberSink {
    MemberFile* file;
    int failed;
};

int WriteToMember(unsigned char* buffer, uint32_t* size, void* context)
{
    MemberSink* sink = (MemberSink*)context;
    if (!sink->failed && !WriteMemberFile(sink->file, buffer, *size))
        sink->failed = 1;
    return !sink->failed;
}

std::string MemberLabel(const ArchiveEntry& entry)
{
    return std::string("member ") + entry.name;
}

} // namespace

int CommandList(const std::string& path)
{
    LoadedArchive archive;
    int status = LoadArchive(path, &archive);
    if (status != ZTOOL_OK)
        return status;
    for (const ArchiveEntry& entry : archive.entries) {
        uint64_t unpacked = 0;
        int result = ExplodeMember(archive, entry, CountBytes, &unpacked);
        std::string size = result == EXPLODE_OK ? std::to_string(unpacked) : "damaged";
        std::printf("%-12s %10zu %10s %s\n", entry.name, MemberStreamSize(archive, entry),
                    size.c_str(), FormatFileTimeUtc(EntryTime(entry)).c_str());
        if (result != EXPLODE_OK)
            status = Fail(ZTOOL_DAMAGED, path, MemberLabel(entry) + ": " + ExplodeResultText(result));
    }
    return status;
}

// Members are written one after the other, each with its last-write time,
// as the setup program does: a later member of the same name replaces an
// earlier one, and a member that fails to decode stays as far as it got.
int CommandExtract(const std::string& path, const std::string& directory)
{
    LoadedArchive archive;
    int status = LoadArchive(path, &archive);
    if (status != ZTOOL_OK)
        return status;
    std::string error;
    if (!EnsureDirectory(directory, &error))
        return Fail(ZTOOL_NO_OUTPUT, directory, error);
    for (const ArchiveEntry& entry : archive.entries) {
        std::string target = JoinPath(directory, entry.name);
        MemberFile file;
        if (!CreateMemberFile(directory, entry.name, &file, &error))
            return Fail(ZTOOL_NO_OUTPUT, target, error);
        MemberSink sink = {&file, 0};
        int result = ExplodeMember(archive, entry, WriteToMember, &sink);
        int timeSet = SetMemberFileTime(&file, EntryTime(entry));
        if (!CloseMemberFile(&file))
            sink.failed = 1;
        if (sink.failed)
            return Fail(ZTOOL_WRITE_FAILED, target, "write error");
        if (result != EXPLODE_OK)
            return Fail(ZTOOL_DAMAGED, path, MemberLabel(entry) + ": " + ExplodeResultText(result));
        if (!timeSet)
            return Fail(ZTOOL_WRITE_FAILED, target, "cannot set its last-write time");
    }
    return ZTOOL_OK;
}
