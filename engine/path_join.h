// Joining a directory text and a file name into a path buffer. Portable: the
// engine uses it for every path it builds, so no path is ever cut short.
#ifndef VELORIN_ENGINE_PATH_JOIN_H
#define VELORIN_ENGINE_PATH_JOIN_H

#include <stdint.h>

// Writes dir immediately followed by name (no separator added) into out,
// which holds size bytes. Returns 1 when the whole text and its terminating
// zero fit; otherwise returns 0 and leaves out as the empty text.
int JoinPath(char* out, uint32_t size, const char* dir, const char* name);

// Returns 1 when the text is non-empty and ends in a backslash: the form every
// directory handed to a transfer must have.
int EndsInBackslash(const char* dir);

#endif
