// Text helpers of the system integration, free of Windows so that the text
// rules built on them are unit-tested natively. No runtime library is used:
// this code links into setup.exe, which has none.
#ifndef VELORIN_SYSTEM_SYSTEM_TEXT_H
#define VELORIN_SYSTEM_SYSTEM_TEXT_H

#include <stdint.h>

// Length of a zero-terminated text.
uint32_t TextLength(const char* text);

// Writes the count texts one after another into out, which holds size bytes.
// Returns 1 when they and the terminating zero fit; otherwise 0 with out
// empty, so that no text is ever used cut short.
int ConcatText(char* out, uint32_t size, const char* const* parts, int count);

// ASCII letters upper-cased; every other byte as it is.
char AsciiUpper(char c);

// 1 when the two byte runs are equal once ASCII letters are upper-cased.
int SameTextIgnoringCase(const char* a, uint32_t aLength, const char* b, uint32_t bLength);

#endif
