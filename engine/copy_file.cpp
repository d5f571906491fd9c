#include "copy_file.h"
#include "engine_alloc.h"
#include "file_io.h"
#include "progress.h"
#include "setup_state.h"
#include "system_text.h"
#include "transfer.h"

static const DWORD COPY_CHUNK = 32000;
static const DWORD COPY_BUFFER = COPY_CHUNK + 1;  // a chunk and one spare byte

// Moves size bytes from source to target; both are open, buffer holds a chunk.
static int CopyChunks(HANDLE source, HANDLE target, DWORD size,
                      unsigned char* buffer, const char* targetPath)
{
    DWORD left = size;
    // One pass even for an empty file, so that an empty copy is counted too.
    do {
        if (setupState.cancelRequested)
            return TRANSFER_CANCELLED;
        DWORD chunk = left >= COPY_CHUNK ? COPY_CHUNK : left;
        // A short read means the file changed under us or the medium failed;
        // writing the whole chunk would put stale buffer bytes in the copy.
        if (!ReadWhole(source, buffer, chunk))
            return TRANSFER_NO_SOURCE;
        if (!WriteWhole(target, buffer, chunk))
            return TransferFailed(TRANSFER_NO_TARGET, targetPath);
        AddProgress(chunk);
        left -= chunk;
    } while (left != 0);
    return TRANSFER_OK;
}

// The target is created only once the source is open, measured and its
// buffer had: a cancel confirmed meanwhile (a floppy spinning up, say), a
// source that cannot be read or no memory leave an earlier file of that name
// as it was.
static int CopyToTarget(HANDLE source, DWORD size, const FILETIME* lastWrite,
                        unsigned char* buffer, const char* targetPath)
{
    if (setupState.cancelRequested)
        return TRANSFER_CANCELLED;
    HANDLE target = CreateForWriting(targetPath);
    if (target == INVALID_HANDLE_VALUE)
        return TransferFailed(TRANSFER_NO_TARGET, targetPath);
    int result = CopyChunks(source, target, size, buffer, targetPath);
    if (result == TRANSFER_OK && lastWrite)
        SetFileTime(target, NULL, NULL, lastWrite);
    CloseHandle(target);
    return result;
}

int CopySetupFile(const char* name, const char* fromDir, const char* toDir)
{
    char sourcePath[SETUP_PATH_SIZE];
    char targetPath[SETUP_PATH_SIZE];
    // A path that does not fit names a file that cannot be opened whole.
    if (!IsSourceFolder(fromDir) || !JoinPath(sourcePath, SETUP_PATH_SIZE, fromDir, name))
        return TransferFailed(TRANSFER_NO_SOURCE, fromDir);
    // Without its backslash a target directory would put the file beside it
    // or in the current directory.
    if (!EndsInBackslash(toDir) || !JoinPath(targetPath, SETUP_PATH_SIZE, toDir, name))
        return TransferFailed(TRANSFER_NO_TARGET, toDir[0] ? toDir : name);

    HANDLE source = OpenForReading(sourcePath);
    if (source == INVALID_HANDLE_VALUE)
        return TransferFailed(TRANSFER_NO_SOURCE, sourcePath);
    FILETIME lastWrite;
    const FILETIME* keptTime = GetFileTime(source, NULL, NULL, &lastWrite) ? &lastWrite : NULL;
    DWORD size = 0;
    int result = TRANSFER_NO_SOURCE;
    unsigned char* buffer = NULL;
    if (FileSize32(source, &size) && SeekTo(source, 0)) {
        buffer = (unsigned char*)EngineAlloc(COPY_BUFFER);
        result = buffer ? CopyToTarget(source, size, keptTime, buffer, targetPath) : TRANSFER_FATAL;
    }
    EngineFree(buffer);
    CloseHandle(source);
    return result;
}
