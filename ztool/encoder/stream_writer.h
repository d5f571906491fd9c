// Writes the items of an explode stream with the format's fixed codes, whose
// patterns it derives from the bit lengths itself.
#ifndef VELORIN_TOOLS_ENCODER_STREAM_WRITER_H
#define VELORIN_TOOLS_ENCODER_STREAM_WRITER_H

#include <cstdint>
#include <vector>

struct StreamWriter {
    std::vector<unsigned char>* out;
    uint64_t pending;      // bits not yet stored, the next one at bit 0
    uint32_t pendingBits;
    int literalMode;
    int dictionaryBits;
};

// Emits the two header bytes. Modes must already be valid.
void StreamWriterBegin(StreamWriter* writer, std::vector<unsigned char>* out, int literalMode,
                       int dictionaryBits);
void StreamWriteLiteral(StreamWriter* writer, unsigned char byte);
// length 2 to 518; distance 1 to 256 for length 2, else 1 to 64 << dictionaryBits.
void StreamWriteMatch(StreamWriter* writer, uint32_t length, uint32_t distance);
// Emits the end-of-stream code and the last partial byte.
void StreamWriterEnd(StreamWriter* writer);

// Bits each item costs; the parser weighs items with these.
uint32_t StreamLiteralCost(int literalMode, unsigned char byte);
// A match costs StreamLengthCost + StreamDistanceCost.
uint32_t StreamLengthCost(uint32_t length);
uint32_t StreamDistanceCost(int dictionaryBits, uint32_t length, uint32_t distance);

#endif
