// Thin wrappers over the Win32 file calls that the copy and the extraction
// share, so that each transfer reads as its steps.
#ifndef VELORIN_ENGINE_FILE_IO_H
#define VELORIN_ENGINE_FILE_IO_H

#include <windows.h>

// Opens an existing file for reading; while it is open others may read it but
// not write it, so a target that is this very file cannot be created over it.
// Returns INVALID_HANDLE_VALUE on failure.
HANDLE OpenForReading(const char* path);
// Creates a file for writing, truncating an existing one (a read-only file
// fails). Returns INVALID_HANDLE_VALUE on failure.
HANDLE CreateForWriting(const char* path);
// Reads exactly count bytes; 0 when the read fails or brings fewer.
int ReadWhole(HANDLE file, void* buffer, DWORD count);
// Writes exactly count bytes; 0 when the write fails or takes fewer (full disk).
int WriteWhole(HANDLE file, const void* buffer, DWORD count);
// Moves to an absolute offset (0 to 4 GiB - 1); 0 on failure.
int SeekTo(HANDLE file, DWORD offset);
// The current offset in *position; 0 when it cannot be had or is past 4 GiB.
int CurrentOffset(HANDLE file, DWORD* position);
// The size in *size, leaving the position at the end; 0 when it cannot be
// had or does not fit in 32 bits (such a file could not be copied whole).
int FileSize32(HANDLE file, DWORD* size);
// Returns 1 when path names an existing file (not a directory); keeps
// nothing open.
int FileExists(const char* path);

#endif
