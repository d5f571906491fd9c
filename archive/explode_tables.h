// The fixed prefix codes of the explode stream format. Each code is complete
// and canonical; a code's pattern is the value its L bits form when read from
// the stream first bit lowest, which is how the decoder's look-ups index them.
#ifndef VELORIN_ARCHIVE_EXPLODE_TABLES_H
#define VELORIN_ARCHIVE_EXPLODE_TABLES_H

#include <stdint.h>

// A match is its length value + SHORTEST_MATCH bytes long. The greatest length
// value, that of the last length symbol with all its extra bits set
// (LENGTH_BASE[15] + (1 << LENGTH_EXTRA_BITS[15]) - 1, asserted where the
// tables are defined), is no match but the end of the stream; the longest
// match has the value below it.
enum {
    SHORTEST_MATCH = 2,
    END_OF_STREAM_VALUE = 517,
    LONGEST_MATCH = END_OF_STREAM_VALUE - 1 + SHORTEST_MATCH
};

extern const unsigned char LENGTH_BITS[16];
extern const unsigned char LENGTH_CODES[16];
extern const unsigned char LENGTH_EXTRA_BITS[16];
extern const uint16_t LENGTH_BASE[16];

extern const unsigned char DISTANCE_BITS[64];
extern const unsigned char DISTANCE_CODES[64];

extern const unsigned char LITERAL_BITS[256];
extern const uint16_t LITERAL_CODES[256];

#endif
