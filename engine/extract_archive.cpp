#include "extract_archive.h"
#include "archive_format.h"
#include "engine_alloc.h"
#include "explode.h"
#include "file_io.h"
#include "progress.h"
#include "setup_state.h"
#include "system_text.h"
#include "transfer.h"

// The open archive and the member being unpacked: made by ExtractArchive on
// its stack and handed to the decoder's two callbacks as their context, so
// nothing of it is carried from one ExtractArchive call to the next.
struct ExtractionContext {
    HANDLE archiveFile;     // its position is the read position in the member's stream
    HANDLE memberFile;      // the member being written
    DWORD memberEndOffset;  // first byte after the member's stream; reads never pass it
    int writeFailed;        // a block could not be written whole
    int readFailed;         // a read failed or brought less than the member still had
};

// The decoder's read callback: up to *size bytes of the current member's
// stream, never past its end, each read counted with AddProgress first.
// Returns the count placed; 0 when the stream is used up or a read fails.
// A failed or short read is kept in the extraction record, which context
// points to.
static uint32_t ArchiveRead(unsigned char* buffer, uint32_t* size, void* context)
{
    ExtractionContext* extraction = (ExtractionContext*)context;
    DWORD wanted = *size;
    DWORD position;
    if (!CurrentOffset(extraction->archiveFile, &position)) {
        extraction->readFailed = 1;
        return 0;
    }
    if (position == extraction->memberEndOffset)
        return 0;
    // Taken unsigned: an end below the position does not bound the read.
    if (extraction->memberEndOffset - position <= wanted)
        wanted = extraction->memberEndOffset - position;
    AddProgress(wanted);
    DWORD got = 0;
    if (!ReadFile(extraction->archiveFile, buffer, wanted, &got, NULL))
        got = 0;
    // The decoder only sees that its input ended; whether the medium failed
    // (a pulled floppy, a stream past the end of the file) is known here.
    if (got < wanted)
        extraction->readFailed = 1;
    return got;
}

// The decoder's write callback: writes *size bytes to the member file of the
// extraction record that context points to.
// Returns 1 when they were written whole; a failure is kept in the
// extraction record, and later blocks of that member are no longer written.
static int ArchiveWrite(unsigned char* buffer, uint32_t* size, void* context)
{
    ExtractionContext* extraction = (ExtractionContext*)context;
    // After a failed block the file already has a gap; writing on would only
    // make a damaged member look longer.
    if (extraction->writeFailed)
        return 0;
    if (WriteWhole(extraction->memberFile, buffer, *size))
        return 1;
    extraction->writeFailed = 1;
    return 0;
}

// Creates the member's file and decodes its stream into it. The member file
// is created only now, after the cancel test, so that a cancel confirmed
// before it leaves an earlier file of that name as it was.
static int UnpackMember(ExtractionContext* extraction, ExplodeState* state, const char* memberPath,
                        const ArchiveEntry* entry)
{
    if (setupState.cancelRequested)
        return TRANSFER_CANCELLED;
    extraction->memberFile = CreateForWriting(memberPath);
    if (extraction->memberFile == INVALID_HANDLE_VALUE)
        return TransferFailed(TRANSFER_NO_TARGET, memberPath);
    int exploded = Explode(ArchiveRead, ArchiveWrite, state, extraction);
    FILETIME lastWrite;
    lastWrite.dwLowDateTime = entry->lastWriteTime.lowDateTime;
    lastWrite.dwHighDateTime = entry->lastWriteTime.highDateTime;
    SetFileTime(extraction->memberFile, NULL, NULL, &lastWrite);
    CloseHandle(extraction->memberFile);
    // Input that ran out because the archive could not be read is the
    // medium's fault: the user is asked for the disk, not about the target.
    if ((exploded == EXPLODE_SHORT_INPUT || exploded == EXPLODE_UNEXPECTED_END) &&
        extraction->readFailed)
        return TRANSFER_NO_SOURCE;
    // A member cut short on a full disk is as unusable as one that would not
    // decode: neither may be reported as placed.
    if (exploded != EXPLODE_OK || extraction->writeFailed)
        return TransferFailed(TRANSFER_NO_TARGET, memberPath);
    return TRANSFER_OK;
}

// Unpacks the member that entry describes. The archive is open.
static int ExtractMember(ExtractionContext* extraction, const char* archivePath,
                         const ArchiveEntry* entry, const char* componentDir)
{
    char memberPath[SETUP_PATH_SIZE];
    if (!JoinPath(memberPath, SETUP_PATH_SIZE, componentDir, entry->name))
        return TransferFailed(TRANSFER_NO_TARGET, componentDir);
    extraction->memberEndOffset = entry->endOffset;
    extraction->writeFailed = 0;
    extraction->readFailed = 0;
    if (!SeekTo(extraction->archiveFile, entry->dataOffset))
        return TransferFailed(TRANSFER_NO_SOURCE, archivePath);
    // Had before the member file is made: no memory must not empty it either.
    ExplodeState* state = (ExplodeState*)EngineAlloc(sizeof(ExplodeState));
    if (!state)
        return TRANSFER_FATAL;
    int result = UnpackMember(extraction, state, memberPath, entry);
    EngineFree(state);
    return result;
}

// Reads the directory entry at offset whole and accepts it only with a name
// that stays inside the component directory.
static int ReadEntry(HANDLE archive, DWORD offset, ArchiveEntry* entry)
{
    unsigned char raw[ARCHIVE_ENTRY_SIZE];
    return SeekTo(archive, offset) && ReadWhole(archive, raw, ARCHIVE_ENTRY_SIZE) &&
           ArchiveParseEntry(raw, ARCHIVE_ENTRY_SIZE, entry) == ARCHIVE_VALID;
}

static int ExtractMembers(ExtractionContext* extraction, const char* archivePath,
                          const char* componentDir)
{
    unsigned char raw[ARCHIVE_COUNT_SIZE];
    int32_t count;
    if (!ReadWhole(extraction->archiveFile, raw, ARCHIVE_COUNT_SIZE) ||
        ArchiveParseCount(raw, ARCHIVE_COUNT_SIZE, &count) != ARCHIVE_VALID)
        return TransferFailed(TRANSFER_NO_SOURCE, archivePath);
    for (int32_t i = 0; i < count; ++i) {
        ArchiveEntry entry;
        // An entry past 4 GiB (offset 0) cannot be in any archive we read.
        DWORD offset = ArchiveEntryOffset((uint32_t)i);
        if (offset == 0 || !ReadEntry(extraction->archiveFile, offset, &entry))
            return TransferFailed(TRANSFER_NO_SOURCE, archivePath);
        int result = ExtractMember(extraction, archivePath, &entry, componentDir);
        if (result != TRANSFER_OK)
            return result;
    }
    return TRANSFER_OK;
}

int ExtractArchive(const char* name, const char* sourceDir, const char* componentDir)
{
    char archivePath[SETUP_PATH_SIZE];
    if (!IsSourceFolder(sourceDir) || !JoinPath(archivePath, SETUP_PATH_SIZE, sourceDir, name))
        return TransferFailed(TRANSFER_NO_SOURCE, sourceDir);
    if (!EndsInBackslash(componentDir))
        return TransferFailed(TRANSFER_NO_TARGET, componentDir[0] ? componentDir : name);
    ExtractionContext extraction = {};
    extraction.archiveFile = OpenForReading(archivePath);
    if (extraction.archiveFile == INVALID_HANDLE_VALUE)
        return TransferFailed(TRANSFER_NO_SOURCE, archivePath);
    int result = ExtractMembers(&extraction, archivePath, componentDir);
    CloseHandle(extraction.archiveFile);
    return result;
}
