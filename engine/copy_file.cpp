#include "copy_file.h"
#include "engine_alloc.h"
#include "file_io.h"
#include "path_join.h"
#include "progress.h"
#include "setup_state.h"
#include "transfer.h"

static const DWORD COPY_CHUNK = 32000;
static const DWORD COPY_BUFFER = 32001;  // a chunk and one spare byte

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
        if (!WriteWhole(target, buffer, chunk)) {
            lstrcpynA(setupState.failedPath, targetPath, SETUP_PATH_SIZE);
            return TRANSFER_NO_TARGET;
        }
        AddProgress(chunk);
        left -= chunk;
    } while (left != 0);
    return TRANSFER_OK;
}

int CopySetupFile(const char* name, const char* fromDir, const char* toDir)
{
    char sourcePath[SETUP_PATH_SIZE];
    char targetPath[SETUP_PATH_SIZE];
    // A path that does not fit names a file that cannot be opened whole.
    if (!JoinPath(sourcePath, SETUP_PATH_SIZE, fromDir, name)) {
        lstrcpynA(setupState.failedPath, fromDir, SETUP_PATH_SIZE);
        return TRANSFER_NO_SOURCE;
    }
    // Without its backslash a target directory would put the file beside it
    // or in the current directory.
    if (!EndsInBackslash(toDir) || !JoinPath(targetPath, SETUP_PATH_SIZE, toDir, name)) {
        lstrcpynA(setupState.failedPath, toDir[0] ? toDir : name, SETUP_PATH_SIZE);
        return TRANSFER_NO_TARGET;
    }

    HANDLE source = OpenForReading(sourcePath);
    if (source == INVALID_HANDLE_VALUE) {
        lstrcpynA(setupState.failedPath, sourcePath, SETUP_PATH_SIZE);
        return TRANSFER_NO_SOURCE;
    }
    HANDLE target = CreateForWriting(targetPath);
    if (target == INVALID_HANDLE_VALUE) {
        lstrcpynA(setupState.failedPath, targetPath, SETUP_PATH_SIZE);
        CloseHandle(source);
        return TRANSFER_NO_TARGET;
    }

    FILETIME lastWrite;
    int haveTime = GetFileTime(source, NULL, NULL, &lastWrite);
    DWORD size = 0;
    int result = TRANSFER_NO_SOURCE;
    unsigned char* buffer = NULL;
    if (FileSize32(source, &size) && SeekTo(source, 0)) {
        buffer = (unsigned char*)EngineAlloc(COPY_BUFFER);
        result = buffer ? CopyChunks(source, target, size, buffer, targetPath)
                        : TRANSFER_FATAL;
    }
    if (result == TRANSFER_OK && haveTime)
        SetFileTime(target, NULL, NULL, &lastWrite);

    EngineFree(buffer);
    CloseHandle(source);
    CloseHandle(target);
    return result;
}
