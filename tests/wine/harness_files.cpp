// File helpers of the test harness.
#include <windows.h>

#include "file_ops.h"
#include "harness.h"

std::string ReadFileBytes(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, NULL) && got > 0)
        data.append(buf, got);
    CloseHandle(f);
    return data;
}

bool WriteFileBytes(const std::string& path, const std::string& data)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = data.empty() ||
              (WriteFile(f, data.data(), (DWORD)data.size(), &written, NULL) &&
               written == data.size());
    return CloseHandle(f) && ok;
}

bool CopyFileTo(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeDirs(const std::string& path)
{
    if (path.empty() || PathExists(path))
        return !path.empty();
    size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && path[cut - 1] != ':')
        MakeDirs(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), NULL) || PathExists(path);
}

bool MakeFileOfSize(const std::string& path, uint32_t size, uint32_t seed)
{
    // xorshift32: cheap, and the same seed always gives the same bytes.
    uint32_t x = seed ? seed : 0x9E3779B9u;
    std::string data(size, '\0');
    for (uint32_t i = 0; i < size; i++) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = (char)(x >> 24);
    }
    return WriteFileBytes(path, data);
}

void SetReadOnly(const std::string& path)
{
    MakeReadOnly(path);
}
