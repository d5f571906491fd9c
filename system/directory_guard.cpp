#include "directory_guard.h"
#include "system_text.h"

static int IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Length of dir without its trailing separators.
static uint32_t TrimmedLength(const char* dir)
{
    uint32_t length = TextLength(dir);
    while (length && IsSeparator(dir[length - 1]))
        --length;
    return length;
}

static int IsRoot(const char* dir, uint32_t length)
{
    if (length == 0 || (length == 2 && dir[1] == ':'))
        return 1;
    if (length < 2 || !IsSeparator(dir[0]) || !IsSeparator(dir[1]))
        return 0;
    // "\\server" or "\\server\share": no separator after the share name.
    int separators = 0;
    for (uint32_t i = 2; i < length; ++i)
        separators += IsSeparator(dir[i]);
    return separators <= 1;
}

static int SameDirectory(const char* dir, uint32_t length, const char* other)
{
    return SameTextIgnoringCase(dir, length, other, TrimmedLength(other));
}

int IsProtectedDirectory(const char* dir, const char* windowsDir, const char* systemDir)
{
    uint32_t length = TrimmedLength(dir);
    return IsRoot(dir, length) || SameDirectory(dir, length, windowsDir)
        || SameDirectory(dir, length, systemDir);
}
