#include "stream_writer.h"

#include "explode_tables.h"

namespace {

struct Code {
    uint16_t pattern;
    uint8_t bits;
};

// Canonical codes from the bit lengths, inverted and sent most significant
// bit first; the pattern is what the stream's next bits read as, first bit
// lowest.
void DeriveCodes(const unsigned char* bits, int count, Code* codes)
{
    uint32_t running = 0;
    for (uint32_t length = 1; length <= 16; ++length) {
        for (int s = 0; s < count; ++s) {
            if (bits[s] != length)
                continue;
            uint32_t inverted = ~running & ((1u << length) - 1);
            uint32_t pattern = 0;
            for (uint32_t b = 0; b < length; ++b)
                pattern |= ((inverted >> b) & 1) << (length - 1 - b);
            codes[s].pattern = (uint16_t)pattern;
            codes[s].bits = (uint8_t)length;
            ++running;
        }
        running <<= 1;
    }
}

struct CodeSet {
    Code length[16];
    Code distance[64];
    Code literal[256];
    uint8_t lengthIndex[END_OF_STREAM_VALUE];  // length value (length - 2) -> length symbol

    CodeSet()
    {
        DeriveCodes(LENGTH_BITS, 16, length);
        DeriveCodes(DISTANCE_BITS, 64, distance);
        DeriveCodes(LITERAL_BITS, 256, literal);
        for (uint32_t i = 0; i < 16; ++i) {
            uint32_t end = i == 15 ? (uint32_t)END_OF_STREAM_VALUE : LENGTH_BASE[i + 1];
            for (uint32_t v = LENGTH_BASE[i]; v < end; ++v)
                lengthIndex[v] = (uint8_t)i;
        }
    }
};

const CodeSet& Codes()
{
    static const CodeSet codes;
    return codes;
}

void Put(StreamWriter* writer, uint32_t value, uint32_t bits)
{
    writer->pending |= (uint64_t)value << writer->pendingBits;
    writer->pendingBits += bits;
    while (writer->pendingBits >= 8) {
        writer->out->push_back((unsigned char)writer->pending);
        writer->pending >>= 8;
        writer->pendingBits -= 8;
    }
}

void PutCode(StreamWriter* writer, const Code& code)
{
    Put(writer, code.pattern, code.bits);
}

// Length-2 matches carry 2 low distance bits, all others dictionaryBits.
uint32_t LowDistanceBits(int dictionaryBits, uint32_t length)
{
    return length == 2 ? 2 : (uint32_t)dictionaryBits;
}

} // namespace

void StreamWriterBegin(StreamWriter* writer, std::vector<unsigned char>* out, int literalMode,
                       int dictionaryBits)
{
    writer->out = out;
    writer->pending = 0;
    writer->pendingBits = 0;
    writer->literalMode = literalMode;
    writer->dictionaryBits = dictionaryBits;
    out->push_back((unsigned char)literalMode);
    out->push_back((unsigned char)dictionaryBits);
}

void StreamWriteLiteral(StreamWriter* writer, unsigned char byte)
{
    Put(writer, 0, 1);
    if (writer->literalMode == 0)
        Put(writer, byte, 8);
    else
        PutCode(writer, Codes().literal[byte]);
}

void StreamWriteMatch(StreamWriter* writer, uint32_t length, uint32_t distance)
{
    const CodeSet& codes = Codes();
    uint32_t value = length - 2;
    uint32_t i = codes.lengthIndex[value];
    Put(writer, 1, 1);
    PutCode(writer, codes.length[i]);
    Put(writer, value - LENGTH_BASE[i], LENGTH_EXTRA_BITS[i]);
    uint32_t low = LowDistanceBits(writer->dictionaryBits, length);
    uint32_t d = distance - 1;
    PutCode(writer, codes.distance[d >> low]);
    Put(writer, d & ((1u << low) - 1), low);
}

void StreamWriterEnd(StreamWriter* writer)
{
    Put(writer, 1, 1);
    PutCode(writer, Codes().length[15]);
    Put(writer, END_OF_STREAM_VALUE - LENGTH_BASE[15], LENGTH_EXTRA_BITS[15]);
    if (writer->pendingBits > 0)
        Put(writer, 0, 8 - writer->pendingBits);
}

uint32_t StreamLiteralCost(int literalMode, unsigned char byte)
{
    return 1 + (literalMode == 0 ? 8 : LITERAL_BITS[byte]);
}

uint32_t StreamLengthCost(uint32_t length)
{
    uint32_t i = Codes().lengthIndex[length - 2];
    return 1 + LENGTH_BITS[i] + LENGTH_EXTRA_BITS[i];
}

uint32_t StreamDistanceCost(int dictionaryBits, uint32_t length, uint32_t distance)
{
    uint32_t low = LowDistanceBits(dictionaryBits, length);
    return DISTANCE_BITS[(distance - 1) >> low] + low;
}
