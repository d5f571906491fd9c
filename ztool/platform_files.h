// The few file-system operations ztool needs beyond standard C++ streams,
// for POSIX and Win32 builds alike. Times are FILETIME values (100-ns
// intervals since 1601-01-01 UTC).
#ifndef VELORIN_TOOLS_ZTOOL_PLATFORM_FILES_H
#define VELORIN_TOOLS_ZTOOL_PLATFORM_FILES_H

#include <cstddef>
#include <cstdint>
#include <string>

struct MemberFile {
    std::intptr_t handle;  // file descriptor or HANDLE
};

// Creates `name` afresh inside an existing directory. Whatever had that name
// is removed first, so a link placed there cannot redirect the write out of
// the directory. 0 with *error set on failure.
int CreateMemberFile(const std::string& directory, const std::string& name, MemberFile* file,
                     std::string* error);
int WriteMemberFile(MemberFile* file, const unsigned char* data, std::size_t size);
int SetMemberFileTime(MemberFile* file, uint64_t lastWriteTime);
// Closes; 0 when the final flush failed.
int CloseMemberFile(MemberFile* file);

// Creates the directory if it does not exist yet; 0 on failure.
int EnsureDirectory(const std::string& path, std::string* error);
// Last-write time of a file; 0 on failure.
int GetLastWriteTime(const std::string& path, uint64_t* lastWriteTime);
// What follows the last path separator.
std::string BaseName(const std::string& path);
// dir + separator + name.
std::string JoinPath(const std::string& directory, const std::string& name);

#endif
