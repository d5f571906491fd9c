// Text and path helpers that the engine and the system integration share,
// free of Windows so that the rules built on them are unit-tested natively.
// No runtime library is used: this code links into setup.exe, which has none.
#ifndef VELORIN_SYSTEM_SYSTEM_TEXT_H
#define VELORIN_SYSTEM_SYSTEM_TEXT_H

#include <stdint.h>

// Length of a zero-terminated text.
uint32_t TextLength(const char* text);

// Writes the count texts one after another into out, which holds size bytes.
// Returns 1 when they and the terminating zero fit; otherwise 0 with out
// empty, so that no text, and no path, is ever used cut short.
int ConcatText(char* out, uint32_t size, const char* const* parts, int count);

// ConcatText of a directory text and a name, run together as they are.
int JoinPath(char* out, uint32_t size, const char* dir, const char* name);

// 1 when the text is non-empty and ends in a backslash: the form of every
// directory that a name is joined to.
int EndsInBackslash(const char* dir);

// 1 when the text names one place whatever the current drive and folder are:
// a drive letter, a colon and a separator ("c:\..."), or a share
// ("\\server\share..."). Relative ("olddial", "."), drive-relative
// ("c:olddial") and rooted texts ("\olddial") are not, nor the device and
// long-path prefixes "\\?\" and "\\.\", which bypass the usual path rules.
int IsFullPathText(const char* text);

// ASCII letters upper-cased; every other byte as it is.
char AsciiUpper(char c);

// 1 when the two byte runs are equal once ASCII letters are upper-cased.
int SameTextIgnoringCase(const char* a, uint32_t aLength, const char* b, uint32_t bLength);

#endif
