#include "path_join.h"

int JoinPath(char* out, uint32_t size, const char* dir, const char* name)
{
    if (size == 0)
        return 0;
    uint32_t used = 0;
    const char* parts[2] = { dir, name };
    for (int k = 0; k < 2; ++k) {
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

int EndsInBackslash(const char* dir)
{
    if (!dir[0])
        return 0;
    while (dir[1])
        ++dir;
    return dir[0] == '\\';
}
