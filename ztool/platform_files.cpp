#include "platform_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const uint64_t TICKS_PER_SECOND = 10000000;
const uint64_t SECONDS_1601_TO_1970 = 11644473600ull;

#ifdef _WIN32
std::string LastErrorText()
{
    return "Windows error " + std::to_string(GetLastError());
}
#endif

} // namespace

#ifdef _WIN32

int CreateMemberFile(const std::string& directory, const std::string& name, MemberFile* file,
                     std::string* error)
{
    std::string path = JoinPath(directory, name);
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        *error = "cannot replace it: " + LastErrorText();
        return 0;
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *error = "cannot create it: " + LastErrorText();
        return 0;
    }
    file->handle = (std::intptr_t)h;
    return 1;
}

int WriteMemberFile(MemberFile* file, const unsigned char* data, std::size_t size)
{
    DWORD written = 0;
    return WriteFile((HANDLE)file->handle, data, (DWORD)size, &written, nullptr) &&
           written == size;
}

int SetMemberFileTime(MemberFile* file, uint64_t lastWriteTime)
{
    FILETIME time;
    time.dwLowDateTime = (DWORD)lastWriteTime;
    time.dwHighDateTime = (DWORD)(lastWriteTime >> 32);
    return SetFileTime((HANDLE)file->handle, nullptr, nullptr, &time) != 0;
}

int CloseMemberFile(MemberFile* file)
{
    return CloseHandle((HANDLE)file->handle) != 0;
}

int EnsureDirectory(const std::string& path, std::string* error)
{
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        *error = "cannot create the directory: " + LastErrorText();
        return 0;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = "not a directory";
        return 0;
    }
    return 1;
}

int GetLastWriteTime(const std::string& path, uint64_t* lastWriteTime)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    *lastWriteTime = (uint64_t)data.ftLastWriteTime.dwHighDateTime << 32 |
                     data.ftLastWriteTime.dwLowDateTime;
    return 1;
}

std::string BaseName(const std::string& path)
{
    std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        return directory + "\\" + name;
    return directory + name;
}

#else

int CreateMemberFile(const std::string& directory, const std::string& name, MemberFile* file,
                     std::string* error)
{
    std::string path = JoinPath(directory, name);
    if (unlink(path.c_str()) != 0 && errno != ENOENT) {
        *error = std::string("cannot replace it: ") + std::strerror(errno);
        return 0;
    }
    // O_EXCL with O_NOFOLLOW: should anything reappear under the name, the
    // open fails rather than follow it.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::string("cannot create it: ") + std::strerror(errno);
        return 0;
    }
    file->handle = fd;
    return 1;
}

int WriteMemberFile(MemberFile* file, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = write((int)file->handle, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        data += n;
        size -= (std::size_t)n;
    }
    return 1;
}

int SetMemberFileTime(MemberFile* file, uint64_t lastWriteTime)
{
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = (time_t)((int64_t)(lastWriteTime / TICKS_PER_SECOND) -
                               (int64_t)SECONDS_1601_TO_1970);
    times[1].tv_nsec = (long)(lastWriteTime % TICKS_PER_SECOND) * 100;
    return futimens((int)file->handle, times) == 0;
}

int CloseMemberFile(MemberFile* file)
{
    return close((int)file->handle) == 0;
}

int EnsureDirectory(const std::string& path, std::string* error)
{
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) {
        struct stat info;
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return 1;
        *error = "not a directory";
        return 0;
    }
    *error = std::string("cannot create the directory: ") + std::strerror(errno);
    return 0;
}

int GetLastWriteTime(const std::string& path, uint64_t* lastWriteTime)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return 0;
    int64_t seconds = (int64_t)info.st_mtim.tv_sec + (int64_t)SECONDS_1601_TO_1970;
    if (seconds < 0)
        seconds = 0;
    *lastWriteTime = (uint64_t)seconds * TICKS_PER_SECOND + (uint64_t)info.st_mtim.tv_nsec / 100;
    return 1;
}

std::string BaseName(const std::string& path)
{
    std::size_t cut = path.find_last_of('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    if (!directory.empty() && directory.back() != '/')
        return directory + "/" + name;
    return directory + name;
}

#endif
