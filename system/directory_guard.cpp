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

// A drive root has one name ("c:"), a share root two.
static int RootNames(const char* path)
{
    return IsSeparator(path[0]) ? 2 : 1;
}

int IsProtectedDirectory(const char* dir)
{
    return ParentFolderLength(dir) == 0;  // no full path, or a root
}

int GuardsDirectory(const char* guarded, int whole, const char* dir)
{
    return !guarded[0] || Contains(dir, guarded) || (whole && Contains(guarded, dir));
}

uint32_t ParentFolderLength(const char* path)
{
    if (!IsFullPathText(path))
        return 0;
    // The end of the name before the last one, as the text has it.
    const char* ends[2] = { path, path };
    int names = 0;
    uint32_t length;
    for (const char* at = path; NextName(&at, &length), length; ++names) {
        ends[0] = ends[1];
        ends[1] = at;
    }
    if (names <= RootNames(path))
        return 0;
    return (uint32_t)(ends[0] - path) + (names - 1 == RootNames(path));
}
