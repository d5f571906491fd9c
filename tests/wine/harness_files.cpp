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

namespace {

// The host path of a Windows path, through Wine's own kernel32 export.
std::string UnixPathOf(const std::string& path)
{
    typedef char*(CDECL * UnixFileNameFn)(const WCHAR*);
    UnixFileNameFn unixFileName =
        (UnixFileNameFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!unixFileName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return std::string();
    char* name = unixFileName(wide);
    if (!name)
        return std::string();
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs chattr of the host on path (a Windows path). Wine starts host programs
// but gives no handle to wait on, so the command leaves a marker file when it
// is done, and that is waited for.
bool Chattr(const std::string& flags, const std::string& path)
{
    std::string unixPath = UnixPathOf(path);
    char temp[MAX_PATH], marker[MAX_PATH];
    if (unixPath.empty() || !GetTempPathA(MAX_PATH, temp) || !GetTempFileNameA(temp, "att", 0, marker))
        return false;
    DeleteFileA(marker);
    std::string command = "Z:\\bin\\sh -c \"/usr/bin/chattr " + flags + " '" + unixPath +
                          "' 2>/dev/null; touch '" + UnixPathOf(marker) + "'\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        return false;
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    if (pi.hThread)
        CloseHandle(pi.hThread);
    for (int i = 0; i < 1000 && !PathExists(marker); ++i)
        Sleep(10);
    return DeleteFileA(marker) != 0;
}

}  // namespace

bool SetReadOnly(const std::string& path)
{
    MakeReadOnly(path);
    Chattr("+i", path);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(f);
    return false;
}

bool ClearReadOnly(const std::string& path)
{
    if (!PathExists(path))
        return true;
    bool cleared = Chattr("-R -i", path);
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        cleared = SetFileAttributesA(path.c_str(), attr & ~FILE_ATTRIBUTE_READONLY) && cleared;
    return cleared;
}
