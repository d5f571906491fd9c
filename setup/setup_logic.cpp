#include "setup_logic.h"

int32_t ParseSignedDecimal(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    int negative = 0;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + (uint32_t)(*p - '0');
        ++p;
    }
    if (negative)
        value = 0u - value;
    return (int32_t)value;
}

uint32_t BytesPerPercentOf(uint32_t totalBytes)
{
    uint32_t perPercent = totalBytes / 100u;
    return perPercent ? perPercent : 1u;
}

void TakeSourceDirectory(char* path)
{
    char* lastBackslash = 0;
    for (char* p = path; *p; ++p) {
        if (*p == '\\')
            lastBackslash = p;
    }
    if (lastBackslash)
        lastBackslash[1] = '\0';
    for (char* p = path; *p; ++p) {
        if (*p >= 'A' && *p <= 'Z')
            *p = (char)(*p - 'A' + 'a');
    }
}

int CenteredOrigin(int screenSize, int windowSize)
{
    return (screenSize - windowSize) / 2;
}

int VolumeRootOf(const char* dir, char* root, uint32_t rootSize)
{
    uint32_t length = 0;
    while (dir[length] && dir[length] != '\\')
        ++length;
    if (rootSize < 2 || length > rootSize - 2) {
        if (rootSize)
            root[0] = '\0';
        return 0;
    }
    for (uint32_t i = 0; i < length; ++i)
        root[i] = dir[i];
    root[length] = '\\';
    root[length + 1] = '\0';
    return 1;
}

uint32_t FreeBytesOf(uint32_t freeClusters, uint32_t bytesPerSector, uint32_t sectorsPerCluster)
{
    uint64_t bytes = (uint64_t)freeClusters * bytesPerSector;
    if (bytes > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    bytes *= sectorsPerCluster;
    return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)bytes;
}

int AcceptDirectoryEntry(char* entry)
{
    uint32_t length = 0;
    while (entry[length])
        ++length;
    if (length == 0)
        return DIRECTORY_EMPTY;
    if (entry[length - 1] == '\\')
        entry[--length] = '\0';
    if (length == 0)
        return DIRECTORY_EMPTY;
    return length > MAX_INSTALL_DIR_LENGTH ? DIRECTORY_TOO_LONG : DIRECTORY_ACCEPTED;
}

// Appends text at out[*used], keeping room for the terminating zero.
static int Append(char* out, uint32_t outSize, uint32_t* used, const char* text)
{
    for (; *text; ++text) {
        if (*used + 1 >= outSize)
            return 0;
        out[(*used)++] = *text;
    }
    out[*used] = '\0';
    return 1;
}

int FormatRegistrationCommand(const char* installDir, char* out, uint32_t outSize)
{
    if (outSize == 0)
        return 0;
    int quoted = 0;
    char last = 0;
    for (const char* p = installDir; *p; ++p) {
        if (*p == ' ')
            quoted = 1;
        last = *p;
    }
    uint32_t used = 0;
    out[0] = '\0';
    int fits = (!quoted || Append(out, outSize, &used, "\""))
        && Append(out, outSize, &used, installDir)
        && Append(out, outSize, &used, &COMPONENT_FOLDER "corvex.exe"[last == '\\'])
        && (!quoted || Append(out, outSize, &used, "\""))
        && Append(out, outSize, &used, " main");
    if (!fits)
        out[0] = '\0';
    return fits;
}

int HasRequiredFreeSpace(uint32_t freeBytes)
{
    return freeBytes >= REQUIRED_FREE_BYTES;
}
