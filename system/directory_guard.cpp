#include "directory_guard.h"
#include "system_text.h"

static int IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The next name of a path from *at on, without the dots and blanks that end
// it; names that are nothing else are passed over. Its length goes to
// *length, 0 at the end of the path.
static const char* NextName(const char** at, uint32_t* length)
{
    for (;;) {
        const char* name = *at;
        while (IsSeparator(*name))
            ++name;
        const char* end = name;
        while (*end && !IsSeparator(*end))
            ++end;
        *at = end;
        uint32_t kept = (uint32_t)(end - name);
        while (kept && (name[kept - 1] == '.' || name[kept - 1] == ' '))
            --kept;
        if (kept || !*end) {
            *length = kept;
            return name;
        }
    }
}

// 1 when folder is other or one of the folders it lies in.
static int Contains(const char* folder, const char* other)
{
    for (;;) {
        uint32_t folderLength, otherLength;
        const char* folderName = NextName(&folder, &folderLength);
        const char* otherName = NextName(&other, &otherLength);
        if (!folderLength)
            return 1;
        if (!SameTextIgnoringCase(folderName, folderLength, otherName, otherLength))
            return 0;
    }
}

static int IsRoot(const char* dir)
{
    // A drive root has one name ("c:"), a share root two.
    int names = 0, rootNames = IsSeparator(dir[0]) ? 2 : 1;
    uint32_t length;
    for (const char* at = dir; NextName(&at, &length), length; ++names) {}
    return names <= rootNames;
}

int IsProtectedDirectory(const char* dir, const char* const* guarded, int count)
{
    if (!IsFullPathText(dir) || IsRoot(dir))
        return 1;
    for (int k = 0; k < count; ++k) {
        if (!guarded[k][0] || Contains(dir, guarded[k]))
            return 1;
    }
    return 0;
}
