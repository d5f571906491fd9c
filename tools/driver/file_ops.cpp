#include "file_ops.h"

#include <windows.h>

int MovePath(const std::string& from, const std::string& to)
{
    DWORD attr = GetFileAttributesA(from.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD flags = MOVEFILE_COPY_ALLOWED;
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY))
        flags |= MOVEFILE_REPLACE_EXISTING;
    return MoveFileExA(from.c_str(), to.c_str(), flags) ? 1 : 0;
}

int DeletePath(const std::string& path)
{
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    if (attr & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileA(path.c_str()) ? 1 : 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    int ok = 1;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name != "." && name != "..")
                ok &= DeletePath(path + "\\" + name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return ok && RemoveDirectoryA(path.c_str()) ? 1 : 0;
}

int MakeReadOnly(const std::string& path)
{
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return 0;
    return SetFileAttributesA(path.c_str(), attr | FILE_ATTRIBUTE_READONLY) ? 1 : 0;
}
