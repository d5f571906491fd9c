// Reading a component archive for `list` and `extract`: the whole directory
// is checked before any member is touched, and members are decoded from
// memory with the reads bounded as the setup program bounds them.
#ifndef VELORIN_TOOLS_ZTOOL_ARCHIVE_READING_H
#define VELORIN_TOOLS_ZTOOL_ARCHIVE_READING_H

#include "archive_format.h"
#include "explode.h"

#include <string>
#include <vector>

struct LoadedArchive {
    std::string path;
    std::vector<unsigned char> bytes;
    std::vector<ArchiveEntry> entries;
};

// Loads the file and parses its directory. ZTOOL_OK, or the status of the
// failure after its line went to stderr.
int LoadArchive(const std::string& path, LoadedArchive* archive);

// Bytes of the member's stream: from dataOffset to endOffset, or to the end
// of the file when endOffset lies below dataOffset; clipped to the file.
std::size_t MemberStreamSize(const LoadedArchive& archive, const ArchiveEntry& entry);

// Runs Explode over the member's stream with the given sink; its result.
int ExplodeMember(const LoadedArchive& archive, const ArchiveEntry& entry,
                  ExplodeWriteFn write, void* context);

// "stream ends before its end-of-stream code" and the like.
std::string ExplodeResultText(int result);

#endif
