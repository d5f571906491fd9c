#include "file_io.h"

// No FILE_SHARE_WRITE: when the component folder is the folder of the medium,
// creating the target would otherwise empty the source it is copied from.
HANDLE OpenForReading(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

HANDLE CreateForWriting(const char* path)
{
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
}

int ReadWhole(HANDLE file, void* buffer, DWORD count)
{
    DWORD got = 0;
    return ReadFile(file, buffer, count, &got, NULL) && got == count;
}

int WriteWhole(HANDLE file, const void* buffer, DWORD count)
{
    DWORD put = 0;
    return WriteFile(file, buffer, count, &put, NULL) && put == count;
}

// SetFilePointer with a high part, which keeps offsets of 2 GiB and more
// unsigned and tells an error apart from a low part of 0xFFFFFFFF.
static int Seek(HANDLE file, LONG low, DWORD method, DWORD* position)
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    DWORD at = SetFilePointer(file, low, &high, method);
    if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    if (position)
        *position = at;
    return high == 0;
}

int SeekTo(HANDLE file, DWORD offset)
{
    LONG high = 0;
    SetLastError(NO_ERROR);
    DWORD at = SetFilePointer(file, (LONG)offset, &high, FILE_BEGIN);
    return !(at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

int CurrentOffset(HANDLE file, DWORD* position)
{
    return Seek(file, 0, FILE_CURRENT, position);
}

int FileSize32(HANDLE file, DWORD* size)
{
    return Seek(file, 0, FILE_END, size);
}

int FileExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
