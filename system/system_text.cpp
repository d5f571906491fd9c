#include "system_text.h"

uint32_t TextLength(const char* text)
{
    uint32_t length = 0;
    while (text[length])
        ++length;
    return length;
}

int ConcatText(char* out, uint32_t size, const char* const* parts, int count)
{
    if (size == 0)
        return 0;
    uint32_t used = 0;
    for (int k = 0; k < count; ++k) {
        for (const char* c = parts[k]; *c; ++c) {
            if (used + 1 >= size) {
                out[0] = 0;
                return 0;
            }
            out[used++] = *c;
        }
    }
    out[used] = 0;
    return 1;
}

int JoinPath(char* out, uint32_t size, const char* dir, const char* name)
{
    const char* parts[] = { dir, name };
    return ConcatText(out, size, parts, 2);
}

int EndsInBackslash(const char* dir)
{
    uint32_t length = TextLength(dir);
    return length && dir[length - 1] == '\\';
}

static int IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

int IsFullPathText(const char* text)
{
    char drive = AsciiUpper(text[0]);
    if (drive >= 'A' && drive <= 'Z')
        return text[1] == ':' && IsSeparator(text[2]);
    if (!IsSeparator(text[0]) || !IsSeparator(text[1]))
        return 0;
    // A server name: "\\?\", "\\.\" and the like are not.
    char server = text[2];
    return server && !IsSeparator(server) && server != '?' && server != '.';
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

int SameTextIgnoringCase(const char* a, uint32_t aLength, const char* b, uint32_t bLength)
{
    if (aLength != bLength)
        return 0;
    for (uint32_t i = 0; i < aLength; ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return 0;
    }
    return 1;
}
