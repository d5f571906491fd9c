// Unpacking a component archive member by member into the component directory.
#ifndef VELORIN_ENGINE_EXTRACT_ARCHIVE_H
#define VELORIN_ENGINE_EXTRACT_ARCHIVE_H

#include <stdint.h>
#include <windows.h>

// The open archive and the member being unpacked: made by ExtractArchive on
// its stack and handed to the decoder's two callbacks as their context, so
// nothing of it is carried from one ExtractArchive call to the next.
struct ExtractionContext {
    HANDLE archiveFile;       // its position is the read position in the member's stream
    HANDLE memberFile;        // the member being written
    DWORD memberDataOffset;   // first byte of the member's stream
    DWORD memberEndOffset;    // first byte after it; reads never pass it
    int writeFailed;          // a block could not be written whole
    int readFailed;           // a read failed or brought less than the member still had
};

// Unpacks every member of sourceDir+name into componentDir (both end in a
// backslash), each with its recorded last-write time, testing
// setupState.cancelRequested before each member's file is created, so that a
// cancel leaves an earlier file of that name as it was; a sourceDir that is
// no full path reads nothing (NO_SOURCE). Returns a TRANSFER_ result:
// NO_SOURCE with failedPath = the archive path when it cannot be opened or
// its directory is damaged (unreadable count or entry, unsafe member name);
// NO_TARGET with failedPath = the member path when a member cannot be
// created, decoded or written whole; NO_SOURCE with failedPath unchanged when
// a member's stream ran out because the archive could not be read (a failed
// or short read); FATAL when no work area can be had, before that member's
// file is created.
int ExtractArchive(const char* name, const char* sourceDir, const char* componentDir);

// The decoder's read callback: up to *size bytes of the current member's
// stream, never past its end, each read counted with AddProgress first.
// Returns the count placed; 0 when the stream is used up or a read fails.
// A failed or short read is kept in the extraction record, which context
// points to.
uint32_t ArchiveRead(unsigned char* buffer, uint32_t* size, void* context);
// The decoder's write callback: writes *size bytes to the member file of the
// extraction record that context points to.
// Returns 1 when they were written whole; a failure is kept in the
// extraction record, and later blocks of that member are no longer written.
int ArchiveWrite(unsigned char* buffer, uint32_t* size, void* context);

#endif
