// `pack`: one explode stream per file, behind a directory of 29-byte entries.
#include "ztool.h"

#include "archive_format.h"
#include "encoder.h"
#include "platform_files.h"

#include <cstdint>
#include <cstring>

int CommandPack(const EncodeOptions& options, const std::string& archive,
                const std::vector<std::string>& files)
{
    if (files.size() > (std::size_t)INT32_MAX)
        return Fail(ZTOOL_USAGE, archive, "too many members");
    std::vector<ArchiveEntry> entries(files.size());
    std::vector<unsigned char> streams;
    uint64_t offset = ARCHIVE_COUNT_SIZE + (uint64_t)ARCHIVE_ENTRY_SIZE * files.size();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        std::string name = BaseName(path);
        if (name.size() > ARCHIVE_NAME_MAX || !ArchiveNameIsShort(name.c_str()))
            return Fail(ZTOOL_DAMAGED, path, "the file name is not an 8.3 name");
        std::vector<unsigned char> data;
        std::string error;
        uint64_t time = 0;
        if (!ReadWholeFile(path, &data, &error))
            return Fail(ZTOOL_NO_INPUT, path, error);
        if (!GetLastWriteTime(path, &time))
            return Fail(ZTOOL_NO_INPUT, path, "cannot read its last-write time");
        ArchiveEntry& entry = entries[i];
        std::memset(&entry, 0, sizeof(entry));
        std::memcpy(entry.name, name.c_str(), name.size() + 1);
        entry.lastWriteTime.lowDateTime = (uint32_t)time;
        entry.lastWriteTime.highDateTime = (uint32_t)(time >> 32);
        std::size_t before = streams.size();
        EncodeStream(data.data(), data.size(), options.literalMode, options.dictionaryBits,
                     &streams);
        uint64_t end = offset + (streams.size() - before);
        if (end > UINT32_MAX)
            return Fail(ZTOOL_DAMAGED, archive, "the archive would exceed 4 GiB");
        entry.dataOffset = (uint32_t)offset;
        entry.endOffset = (uint32_t)end;
        offset = end;
    }
    std::vector<unsigned char> bytes(ARCHIVE_COUNT_SIZE + ARCHIVE_ENTRY_SIZE * entries.size());
    ArchiveFormatCount((int32_t)entries.size(), bytes.data());
    for (std::size_t i = 0; i < entries.size(); ++i)
        ArchiveFormatEntry(&entries[i], bytes.data() + ARCHIVE_COUNT_SIZE + ARCHIVE_ENTRY_SIZE * i);
    bytes.insert(bytes.end(), streams.begin(), streams.end());
    int status = ZTOOL_OK;
    std::string error;
    if (!WriteWholeFile(archive, bytes, &status, &error))
        return Fail(status, archive, error);
    return ZTOOL_OK;
}
