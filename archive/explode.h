// Explode: expands one stream of the explode format (two header bytes, then a
// bit stream of literals and back-references coded with fixed prefix codes,
// history of up to 4096 bytes).
//
// The decoder allocates nothing and has no mutable global data: its whole
// state is the caller-owned ExplodeState, input arrives through the read
// callback into a 2048-byte buffer, output leaves through the write callback
// in blocks of 4096 bytes and one final block (possibly of 0 bytes).
#ifndef VELORIN_ARCHIVE_EXPLODE_H
#define VELORIN_ARCHIVE_EXPLODE_H

#include <stdint.h>

#include "explode_tables.h"

enum {
    EXPLODE_OK = 0,              // end-of-stream code reached, all output written
    EXPLODE_BAD_DICTIONARY = 1,  // header byte 1 is not 4, 5 or 6
    EXPLODE_BAD_LITERAL_MODE = 2,// header byte 0 is not 0 or 1
    EXPLODE_SHORT_INPUT = 3,     // the first read gave 4 bytes or fewer
    EXPLODE_UNEXPECTED_END = 4   // input ran out first; output so far written
};

// Places up to *size bytes (always 2048) in buffer and returns how many it
// placed; 0 means no more input, which is also how a reader reports an error.
typedef uint32_t (*ExplodeReadFn)(unsigned char* buffer, uint32_t* size, void* context);
// Takes *size bytes from buffer. The result is not looked at.
typedef int (*ExplodeWriteFn)(unsigned char* buffer, uint32_t* size, void* context);

enum {
    EXPLODE_INPUT_SIZE = 2048,
    EXPLODE_BLOCK_SIZE = 4096,
    // An item starts before the end of the block being filled, at worst on its
    // last byte, and a longest match from there runs this far past it.
    EXPLODE_OVERRUN_SIZE = LONGEST_MATCH - 1,
    // A block of history, the block being filled and its overrun.
    EXPLODE_WINDOW_SIZE = 2 * EXPLODE_BLOCK_SIZE + EXPLODE_OVERRUN_SIZE
};

// The decoder's work area. The caller allocates and frees it; Explode fills
// every field it reads (and clears the history) at the start of each call.
struct ExplodeState {
    uint32_t literalMode;     // header byte 0: 0 literals as plain bytes, 1 with the literal code
    uint32_t windowPos;       // where the next output byte goes; set before each write call
    uint32_t dictionaryBits;  // header byte 1: low distance bits of matches longer than 2
    uint32_t dictionaryMask;  // those low bits, (1 << dictionaryBits) - 1
    uint32_t bitBuffer;       // the next 8 + spareBits bits of the stream, the first at bit 0
    uint32_t spareBits;       // bits held beyond the 8 the buffer always has
    uint32_t inputPos;        // next byte of inputBuffer not yet in bitBuffer
    uint32_t inputCount;      // bytes the last read placed in inputBuffer
    void* context;            // the caller's, handed to both callbacks
    ExplodeReadFn readCallback;                     // the caller's, as passed to Explode
    ExplodeWriteFn writeCallback;                   // likewise
    unsigned char window[EXPLODE_WINDOW_SIZE];      // history, the block being filled, overrun
    unsigned char inputBuffer[EXPLODE_INPUT_SIZE];  // the last read's bytes
    // Symbols by the next 8 bits of the stream (literalLookupAfter6: 7), built at the start of
    // each stream, the literal ones for literal mode 1 only.
    unsigned char distanceLookup[256];       // distance symbol, the high part of a distance
    unsigned char lengthLookup[256];         // length symbol
    unsigned char literalLookup[256];        // literal, or LOOKUP_MARKER: a longer code starts
    unsigned char literalLookupAfter4[256];  // such a code, low 6 bits not all zero, 4 bits on
    unsigned char literalLookupAfter6[128];  // such a code with 6 low zero bits, 6 bits on
    unsigned char literalLookupAfter8[256];  // a code with 8 low zero bits, 8 bits on
    unsigned char literalBitsLeft[256];      // each literal's bits still to take after those
    // The fixed codes' figures, copied from the tables (explode_tables.h).
    unsigned char distanceBits[64];     // bit length of each distance symbol
    unsigned char lengthBits[16];       // bit length of each length symbol
    unsigned char lengthExtraBits[16];  // plain bits that follow each length symbol
    uint16_t lengthBase[16];            // length value of each length symbol before those bits
};

// Decodes one stream from its header to its end-of-stream code or a failure.
// Returns one of the EXPLODE_ codes above.
int Explode(ExplodeReadFn readCallback, ExplodeWriteFn writeCallback,
            ExplodeState* state, void* context);

#endif
