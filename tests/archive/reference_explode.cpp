#include "reference_explode.h"

#include "explode_tables.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// [bit count][pattern] -> symbol or -1, from the bit lengths by the
// canonical rule.
typedef std::vector<std::vector<int>> CodeMap;

CodeMap Derive(const unsigned char* bits, unsigned count)
{
    CodeMap codes(17);
    for (unsigned length = 1; length <= 16; ++length)
        codes[length].assign(1u << length, -1);
    unsigned running = 0;
    for (unsigned length = 1; length <= 16; ++length) {
        for (unsigned s = 0; s < count; ++s) {
            if (bits[s] != length)
                continue;
            unsigned inverted = ~running & ((1u << length) - 1);
            unsigned pattern = 0;
            for (unsigned b = 0; b < length; ++b)
                if (inverted & (1u << b))
                    pattern |= 1u << (length - 1 - b);
            codes[length][pattern] = (int)s;
            ++running;
        }
        running <<= 1;
    }
    return codes;
}

struct Decoder {
    ExplodeReadFn read;
    ExplodeWriteFn write;
    void* context;
    unsigned char input[2048];
    unsigned count;
    unsigned pos;
    uint32_t bits;          // loaded, not yet consumed; bit 0 is next
    unsigned bitCount;
    unsigned char window[8709];
    unsigned windowPos;

    // Loads one byte; false when the reader has no more.
    bool Load()
    {
        if (pos == count) {
            uint32_t size = 2048;
            count = read(input, &size, context);
            if (count > 2048)
                count = 2048;
            if (count == 0)
                return false;
            pos = 0;
        }
        bits |= (uint32_t)input[pos++] << bitCount;
        bitCount += 8;
        return true;
    }

    // Consumes one bit and keeps 8 loaded after it.
    bool Take(unsigned* bit)
    {
        *bit = bits & 1;
        bits >>= 1;
        --bitCount;
        return bitCount >= 8 || Load();
    }

    bool TakeNumber(unsigned n, unsigned* value)
    {
        *value = 0;
        for (unsigned i = 0; i < n; ++i) {
            unsigned bit;
            if (!Take(&bit))
                return false;
            *value |= bit << i;
        }
        return true;
    }

    unsigned Peek(unsigned n) const
    {
        return bits & ((1u << n) - 1);
    }

    bool TakeCode(const CodeMap& codes, unsigned* symbol)
    {
        unsigned pattern = 0;
        for (unsigned length = 1; length <= 16; ++length) {
            unsigned bit;
            if (!Take(&bit))
                return false;
            pattern |= bit << (length - 1);
            if (codes[length][pattern] >= 0) {
                *symbol = (unsigned)codes[length][pattern];
                return true;
            }
        }
        return false;  // not reached: the codes are complete
    }

    void Flush(unsigned size)
    {
        uint32_t n = size;
        write(window + 4096, &n, context);
    }
};

} // namespace

int ReferenceExplode(ExplodeReadFn readCallback, ExplodeWriteFn writeCallback, void* context)
{
    static const CodeMap lengthCodes = Derive(LENGTH_BITS, 16);
    static const CodeMap distanceCodes = Derive(DISTANCE_BITS, 64);
    static const CodeMap literalCodes = Derive(LITERAL_BITS, 256);

    std::unique_ptr<Decoder> d(new Decoder());
    d->read = readCallback;
    d->write = writeCallback;
    d->context = context;
    uint32_t size = 2048;
    d->count = readCallback(d->input, &size, context);
    if (d->count > 2048)
        d->count = 2048;
    if (d->count <= 4)
        return EXPLODE_SHORT_INPUT;
    unsigned literalMode = d->input[0];
    unsigned dictionaryBits = d->input[1];
    d->pos = 2;
    d->bits = 0;
    d->bitCount = 0;
    d->Load();
    if (dictionaryBits < 4 || dictionaryBits > 6)
        return EXPLODE_BAD_DICTIONARY;
    if (literalMode > 1)
        return EXPLODE_BAD_LITERAL_MODE;

    std::memset(d->window, 0, 4096);
    d->windowPos = 4096;
    bool ended = false;
    for (;;) {
        unsigned flag;
        if (!d->TakeNumber(1, &flag))
            break;
        if (flag == 0) {
            unsigned byte;
            bool ok = literalMode == 0 ? d->TakeNumber(8, &byte) : d->TakeCode(literalCodes, &byte);
            if (!ok)
                break;
            d->window[d->windowPos++] = (unsigned char)byte;
        } else {
            unsigned i, x = 0, j, y;
            if (!d->TakeCode(lengthCodes, &i))
                break;
            unsigned extra = LENGTH_EXTRA_BITS[i];
            if (extra != 0) {
                if (i == 15 && d->Peek(8) == 255) {
                    ended = true;
                    break;
                }
                if (!d->TakeNumber(extra, &x))
                    break;
            }
            unsigned length = LENGTH_BASE[i] + x + 2;
            unsigned lowBits = length == 2 ? 2 : dictionaryBits;
            if (!d->TakeCode(distanceCodes, &j) || !d->TakeNumber(lowBits, &y))
                break;
            unsigned distance = (j << lowBits) + y + 1;
            for (unsigned k = 0; k < length; ++k, ++d->windowPos)
                d->window[d->windowPos] = d->window[d->windowPos - distance];
        }
        if (d->windowPos >= 8192) {
            d->Flush(4096);
            std::memmove(d->window, d->window + 4096, d->windowPos - 4096);
            d->windowPos -= 4096;
        }
    }
    d->Flush(d->windowPos - 4096);
    return ended ? EXPLODE_OK : EXPLODE_UNEXPECTED_END;
}
