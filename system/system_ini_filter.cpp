#include "system_ini_filter.h"
#include "system_text.h"

// A longer line is taken as several chunks, each compared on its own.
enum { CHUNK_LIMIT = 254 };

extern const char* const DRIVER_FILES[DRIVER_FILE_COUNT] = { "\\vntspsd.386", "\\vtcprac.386",
                                                             "\\vntstimd.exe" };

void FormatDriverLines(const char* dialerBinDir, const char* tcpBinDir, DriverLines* lines)
{
    for (int k = 0; k < DRIVER_FILE_COUNT; ++k) {
        const char* dialer[] = { "device=", dialerBinDir, DRIVER_FILES[k] };
        ConcatText(lines->line[k], DRIVER_LINE_SIZE, dialer, 3);
        const char* tcp[] = { "device=", tcpBinDir, DRIVER_FILES[k] };
        ConcatText(lines->line[k + DRIVER_FILE_COUNT], DRIVER_LINE_SIZE, tcp, 3);
    }
}

static int IsCrLf(const char* text, uint32_t at, uint32_t length)
{
    return text[at] == '\r' && at + 1 < length && text[at + 1] == '\n';
}

// Bytes of the chunk at text: up to and including the next line feed, at
// most CHUNK_LIMIT characters. A line end right after a full chunk belongs
// to it, so that a line of exactly CHUNK_LIMIT characters is one whole chunk.
static uint32_t ChunkLength(const char* text, uint32_t length)
{
    uint32_t bytes = 0;
    for (uint32_t chars = 0; chars < CHUNK_LIMIT && bytes < length; ++chars) {
        if (IsCrLf(text, bytes, length))
            ++bytes;
        if (text[bytes++] == '\n')
            return bytes;
    }
    if (bytes < length && IsCrLf(text, bytes, length))
        return bytes + 2;
    return bytes < length && text[bytes] == '\n' ? bytes + 1 : bytes;
}

// The chunk as it is compared: CR LF as LF, cut at the first CR or LF that
// follows other text (a chunk of line ends alone stays whole), upper-cased.
static uint32_t ComparedCopy(const char* chunk, uint32_t length, char* copy)
{
    uint32_t n = 0;
    int sawText = 0;
    for (uint32_t i = 0; i < length; ++i) {
        if (IsCrLf(chunk, i, length))
            continue;
        char c = chunk[i];
        if (c != '\r' && c != '\n')
            sawText = 1;
        else if (sawText)
            break;
        copy[n++] = AsciiUpper(c);
    }
    return n;
}

static int HoldsSectionHeader(const char* copy, uint32_t n)
{
    static const char HEADER[] = "[386ENH]";
    const uint32_t headerLength = sizeof HEADER - 1;
    for (uint32_t at = 0; at + headerLength <= n; ++at) {
        if (SameTextIgnoringCase(copy + at, headerLength, HEADER, headerLength))
            return 1;
    }
    return 0;
}

static int IsDriverLine(const char* copy, uint32_t n, const DriverLines* lines)
{
    for (int k = 0; k < DRIVER_LINE_COUNT; ++k) {
        const char* line = lines->line[k];
        if (line[0] && SameTextIgnoringCase(copy, n, line, TextLength(line)))
            return 1;
    }
    return 0;
}

uint32_t FilterSystemIni(char* text, uint32_t length, const DriverLines* lines)
{
    // Never cleared: every later section is filtered as well.
    int sawSection = 0, atLineStart = 1;
    uint32_t read = 0, kept = 0;
    char copy[CHUNK_LIMIT + 1];  // a chunk and the line end that may follow it
    while (read < length) {
        uint32_t chunk = ChunkLength(text + read, length - read);
        uint32_t n = ComparedCopy(text + read, chunk, copy);
        if (HoldsSectionHeader(copy, n))
            sawSection = 1;
        // Only a whole line is dropped: a part of a longer one that happens
        // to read like a driver line is text of that line.
        int endsLine = text[read + chunk - 1] == '\n' || read + chunk == length;
        if (!(sawSection && atLineStart && endsLine && IsDriverLine(copy, n, lines))) {
            for (uint32_t i = 0; i < chunk; ++i)
                text[kept++] = text[read + i];
        }
        atLineStart = endsLine;
        read += chunk;
    }
    return kept;
}
