#include "extract_archive.h"
#include "archive_format.h"
#include "engine_alloc.h"
#include "explode.h"
#include "file_io.h"
#include "path_join.h"
#include "progress.h"
#include "setup_state.h"
#include "transfer.h"

static ExtractionContext extraction;

uint32_t ArchiveRead(unsigned char* buffer, uint32_t* size, void* context)
{
    (void)context;
    DWORD wanted = *size;
    DWORD position;
    if (!CurrentOffset(extraction.archiveFile, &position)) {
        extraction.readFailed = 1;
        return 0;
    }
    if (position == extraction.memberEndOffset)
        return 0;
    // Taken unsigned: an end below the position does not bound the read.
    if (extraction.memberEndOffset - position <= wanted)
        wanted = extraction.memberEndOffset - position;
    AddProgress(wanted);
    DWORD got = 0;
    if (!ReadFile(extraction.archiveFile, buffer, wanted, &got, NULL))
        got = 0;
    // The decoder only sees that its input ended; whether the medium failed
    // (a pulled floppy, a stream past the end of the file) is known here.
    if (got < wanted)
        extraction.readFailed = 1;
    return got;
}

int ArchiveWrite(unsigned char* buffer, uint32_t* size, void* context)
{
    (void)context;
    // After a failed block the file already has a gap; writing on would only
    // make a damaged member look longer.
    if (extraction.writeFailed)
        return 0;
    if (WriteWhole(extraction.memberFile, buffer, *size))
        return 1;
    extraction.writeFailed = 1;
    return 0;
}

static int NoTarget(const char* path)
{
    lstrcpynA(setupState.failedPath, path, SETUP_PATH_SIZE);
    return TRANSFER_NO_TARGET;
}

static int NoSource(const char* path)
{
    lstrcpynA(setupState.failedPath, path, SETUP_PATH_SIZE);
    return TRANSFER_NO_SOURCE;
}

// Unpacks the member that entry describes. The archive is open.
static int ExtractMember(HANDLE archive, const char* archivePath, const ArchiveEntry* entry,
                         const char* componentDir)
{
    char memberPath[SETUP_PATH_SIZE];
    if (!JoinPath(memberPath, SETUP_PATH_SIZE, componentDir, entry->name))
        return NoTarget(componentDir);
    extraction.archiveFile = archive;
    extraction.memberDataOffset = entry->dataOffset;
    extraction.memberEndOffset = entry->endOffset;
    extraction.writeFailed = 0;
    extraction.readFailed = 0;
    extraction.memberFile = CreateForWriting(memberPath);
    if (extraction.memberFile == INVALID_HANDLE_VALUE)
        return NoTarget(memberPath);

    if (!SeekTo(archive, entry->dataOffset)) {
        CloseHandle(extraction.memberFile);
        return NoSource(archivePath);
    }
    ExplodeState* state = (ExplodeState*)EngineAlloc(sizeof(ExplodeState));
    if (!state) {
        CloseHandle(extraction.memberFile);
        return TRANSFER_FATAL;
    }
    int exploded = Explode(ArchiveRead, ArchiveWrite, state, NULL);
    EngineFree(state);
    FILETIME lastWrite;
    lastWrite.dwLowDateTime = entry->lastWriteTime.lowDateTime;
    lastWrite.dwHighDateTime = entry->lastWriteTime.highDateTime;
    SetFileTime(extraction.memberFile, NULL, NULL, &lastWrite);
    CloseHandle(extraction.memberFile);
    // Input that ran out because the archive could not be read is the
    // medium's fault: the user is asked for the disk, not about the target.
    if ((exploded == EXPLODE_SHORT_INPUT || exploded == EXPLODE_UNEXPECTED_END) &&
        extraction.readFailed)
        return TRANSFER_NO_SOURCE;
    // A member cut short on a full disk is as unusable as one that would not
    // decode: neither may be reported as placed.
    if (exploded != EXPLODE_OK || extraction.writeFailed)
        return NoTarget(memberPath);
    return TRANSFER_OK;
}

// Reads the directory entry at offset whole and accepts it only with a name
// that stays inside the component directory.
static int ReadEntry(HANDLE archive, DWORD offset, ArchiveEntry* entry)
{
    unsigned char raw[ARCHIVE_ENTRY_SIZE];
    return SeekTo(archive, offset) && ReadWhole(archive, raw, ARCHIVE_ENTRY_SIZE) &&
           ArchiveParseEntry(raw, ARCHIVE_ENTRY_SIZE, entry) == ARCHIVE_VALID;
}

static int ExtractMembers(HANDLE archive, const char* archivePath, const char* componentDir)
{
    unsigned char raw[ARCHIVE_COUNT_SIZE];
    int32_t count;
    if (!ReadWhole(archive, raw, ARCHIVE_COUNT_SIZE) ||
        ArchiveParseCount(raw, ARCHIVE_COUNT_SIZE, &count) != ARCHIVE_VALID)
        return NoSource(archivePath);
    for (int32_t i = 0; i < count; ++i) {
        if (setupState.cancelRequested)
            return TRANSFER_CANCELLED;
        ArchiveEntry entry;
        // An entry past 4 GiB (offset 0) cannot be in any archive we read.
        DWORD offset = ArchiveEntryOffset((uint32_t)i);
        if (offset == 0 || !ReadEntry(archive, offset, &entry))
            return NoSource(archivePath);
        int result = ExtractMember(archive, archivePath, &entry, componentDir);
        if (result != TRANSFER_OK)
            return result;
    }
    return TRANSFER_OK;
}

int ExtractArchive(const char* name, const char* sourceDir, const char* componentDir)
{
    char archivePath[SETUP_PATH_SIZE];
    if (!JoinPath(archivePath, SETUP_PATH_SIZE, sourceDir, name))
        return NoSource(sourceDir);
    if (!EndsInBackslash(componentDir))
        return NoTarget(componentDir[0] ? componentDir : name);
    HANDLE archive = OpenForReading(archivePath);
    if (archive == INVALID_HANDLE_VALUE)
        return NoSource(archivePath);
    int result = ExtractMembers(archive, archivePath, componentDir);
    CloseHandle(archive);
    return result;
}
