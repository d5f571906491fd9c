// Explode decoder. It has two ways through a stream that give the same
// output and the same callback calls:
//  - the exact path (ConsumeBits, DecodeSymbol, DecodeDistance) keeps 8 to 15
//    bits in bitBuffer and takes one input byte at a time, asking the read
//    callback for more only when a consume would leave fewer than 8 bits;
//  - the fast path runs while at least 8 unread bytes remain in inputBuffer.
//    It then holds up to 63 bits in a local accumulator and decodes a whole
//    item (at most 30 bits) from it. Since every bit it takes lies in bytes
//    already read, it never calls the read callback, and the exact path would
//    not have called it for such an item either. Before any callback and
//    when leaving, it hands back the bytes it took ahead, so that bitBuffer,
//    spareBits and inputPos mean what they mean on the exact path.
#include "explode.h"
#include "explode_tables.h"

namespace {

enum {
    // Symbols: a literal byte, or 256 + a match's length value.
    SYMBOL_END_OF_STREAM = 256 + END_OF_STREAM_VALUE,
    SYMBOL_FAILED = SYMBOL_END_OF_STREAM + 1,
    // A written block slides into the history; the farthest distance, 64 << 6,
    // reaches no further back.
    HISTORY_SIZE = EXPLODE_BLOCK_SIZE,
    // windowPos at or past this: a block is due.
    PENDING_END = HISTORY_SIZE + EXPLODE_BLOCK_SIZE,
    FAST_INPUT_MARGIN = 8,  // unread bytes the fast path needs per item
    LOOKUP_MARKER = 255     // literalLookup: a longer code starts here
};

// Word access at any alignment; may_alias keeps it clear of type-based
// aliasing assumptions, so window bytes can be moved as words.
typedef uint32_t __attribute__((__may_alias__, __aligned__(1))) UnalignedWord;
typedef uint64_t __attribute__((__may_alias__, __aligned__(1))) UnalignedWide;

enum {
    // How far past a match's end CopyMatch's word moves may write: its two
    // opening words, less the one byte any match has (a match has at least
    // SHORTEST_MATCH, so this leaves a byte to spare).
    COPY_OVERSHOOT = 2 * sizeof(UnalignedWide) - 1
};

// Forward copy by 32-bit words, then the 1 to 3 remaining bytes. Correct for
// overlapping ranges only when the destination lies at least 4 bytes lower.
void CopyBlock(unsigned char* destination, const unsigned char* source, uint32_t count)
{
    while (count >= 4) {
        *(UnalignedWord*)destination = *(const UnalignedWord*)source;
        destination += 4;
        source += 4;
        count -= 4;
    }
    while (count != 0) {
        *destination++ = *source++;
        --count;
    }
}

void ClearBytes(unsigned char* destination, uint32_t count)
{
    while (count != 0) {
        *destination++ = 0;
        --count;
    }
}

// Maps every 8-bit value whose low bits[s] bits equal codes[s] to s. Going
// from the last symbol down matches the order the format's tables assume.
void BuildLookup(uint32_t count, const unsigned char* bits, const unsigned char* codes,
                 unsigned char* table)
{
    for (uint32_t s = count; s-- != 0;) {
        uint32_t step = 1u << bits[s];
        for (uint32_t index = codes[s]; index < 256; index += step)
            table[index] = (unsigned char)s;
    }
}

void FillLiteralTable(unsigned char* table, uint32_t limit, uint32_t start, uint32_t bits,
                      uint32_t symbol)
{
    uint32_t step = 1u << bits;
    for (uint32_t index = start; index < limit; index += step)
        table[index] = (unsigned char)symbol;
}

// Codes of up to 8 bits resolve in one look-up. A longer code whose low
// 8 bits are not all zero leaves the marker there and resolves after 4 bits
// (its low 6 bits not all zero) or after 6; one with 8 low zero bits
// resolves after those 8. literalBitsLeft ends as the bits still to take
// after the last look-up.
void BuildLiteralLookups(ExplodeState* state)
{
    for (uint32_t s = 256; s-- != 0;) {
        uint32_t bits = state->literalBitsLeft[s];
        uint32_t code = LITERAL_CODES[s];
        if (bits <= 8) {
            FillLiteralTable(state->literalLookup, 256, code, bits, s);
        } else if ((code & 0xFF) != 0) {
            state->literalLookup[code & 0xFF] = LOOKUP_MARKER;
            if ((code & 0x3F) != 0) {
                state->literalBitsLeft[s] = (unsigned char)(bits - 4);
                FillLiteralTable(state->literalLookupAfter4, 256, code >> 4, bits - 4, s);
            } else {
                state->literalBitsLeft[s] = (unsigned char)(bits - 6);
                FillLiteralTable(state->literalLookupAfter6, 128, code >> 6, bits - 6, s);
            }
        } else {
            state->literalBitsLeft[s] = (unsigned char)(bits - 8);
            FillLiteralTable(state->literalLookupAfter8, 256, code >> 8, bits - 8, s);
        }
    }
}

// Asks for a full buffer. A reader that claims more than it was offered is
// held to the buffer's size rather than let the decoder read past it.
uint32_t ReadInput(ExplodeState* state)
{
    uint32_t size = EXPLODE_INPUT_SIZE;
    uint32_t count = state->readCallback(state->inputBuffer, &size, state->context);
    return count > EXPLODE_INPUT_SIZE ? (uint32_t)EXPLODE_INPUT_SIZE : count;
}

// Drops n (1 to 8) bits, refilling so that at least 8 stay. 0 when the input
// ran out.
int ConsumeBits(ExplodeState* state, uint32_t n)
{
    if (state->spareBits >= n) {
        state->bitBuffer >>= n;
        state->spareBits -= n;
        return 1;
    }
    state->bitBuffer >>= state->spareBits;
    if (state->inputPos == state->inputCount) {
        state->inputCount = ReadInput(state);
        if (state->inputCount == 0)
            return 0;
        state->inputPos = 0;
    }
    state->bitBuffer |= (uint32_t)state->inputBuffer[state->inputPos++] << 8;
    state->bitBuffer >>= n - state->spareBits;
    state->spareBits += 8 - n;
    return 1;
}

// One item: a literal (0-255), a match (256 + length value), the end of the
// stream or SYMBOL_FAILED. The end-of-stream code is recognised from the
// bits already held, and its last 8 bits are not consumed: nothing after it
// may be asked of the reader.
uint32_t DecodeSymbol(ExplodeState* state)
{
    uint32_t flag = state->bitBuffer & 1;
    if (!ConsumeBits(state, 1))
        return SYMBOL_FAILED;
    if (flag) {
        uint32_t i = state->lengthLookup[state->bitBuffer & 0xFF];
        if (!ConsumeBits(state, state->lengthBits[i]))
            return SYMBOL_FAILED;
        uint32_t extra = state->lengthExtraBits[i];
        if (extra == 0)
            return 256 + i;
        uint32_t x = state->bitBuffer & ((1u << extra) - 1);
        uint32_t value = state->lengthBase[i] + x;
        if (value == END_OF_STREAM_VALUE)
            return SYMBOL_END_OF_STREAM;
        if (!ConsumeBits(state, extra))
            return SYMBOL_FAILED;
        return 256 + value;
    }
    uint32_t symbol;
    if (state->literalMode == 0) {
        symbol = state->bitBuffer & 0xFF;
        if (!ConsumeBits(state, 8))
            return SYMBOL_FAILED;
        return symbol;
    }
    if ((state->bitBuffer & 0xFF) != 0) {
        symbol = state->literalLookup[state->bitBuffer & 0xFF];
        if (symbol == LOOKUP_MARKER) {
            if ((state->bitBuffer & 0x3F) != 0) {
                if (!ConsumeBits(state, 4))
                    return SYMBOL_FAILED;
                symbol = state->literalLookupAfter4[state->bitBuffer & 0xFF];
            } else {
                if (!ConsumeBits(state, 6))
                    return SYMBOL_FAILED;
                symbol = state->literalLookupAfter6[state->bitBuffer & 0x7F];
            }
        }
    } else {
        if (!ConsumeBits(state, 8))
            return SYMBOL_FAILED;
        symbol = state->literalLookupAfter8[state->bitBuffer & 0xFF];
    }
    if (!ConsumeBits(state, state->literalBitsLeft[symbol]))
        return SYMBOL_FAILED;
    return symbol;
}

// Distance of a match of the given length, or 0 when the input ran out.
uint32_t DecodeDistance(ExplodeState* state, uint32_t length)
{
    uint32_t j = state->distanceLookup[state->bitBuffer & 0xFF];
    if (!ConsumeBits(state, state->distanceBits[j]))
        return 0;
    if (length == 2) {
        uint32_t y = state->bitBuffer & 3;
        if (!ConsumeBits(state, 2))
            return 0;
        return (j << 2) + y + 1;
    }
    uint32_t y = state->bitBuffer & state->dictionaryMask;
    if (!ConsumeBits(state, state->dictionaryBits))
        return 0;
    return (j << state->dictionaryBits) + y + 1;
}

// Repeats length bytes from distance back, as a byte-by-byte ascending copy
// would. Whole words are moved when the source trails the destination by at
// least a word and the rounded-up end still lies inside the window; a short
// distance first lays down enough of its pattern for a word-sized lag.
inline __attribute__((__always_inline__)) void CopyMatch(unsigned char* window, uint32_t pos,
                                                        uint32_t distance, uint32_t length)
{
    unsigned char* destination = window + pos;
    const unsigned char* source = destination - distance;
    unsigned char* end = destination + length;
    if (pos + length + COPY_OVERSHOOT <= EXPLODE_WINDOW_SIZE) {
        if (distance >= 8) {
            // Most matches are short: two words cover them without a loop.
            *(UnalignedWide*)destination = *(const UnalignedWide*)source;
            *(UnalignedWide*)(destination + 8) = *(const UnalignedWide*)(source + 8);
            if (length <= 16)
                return;
            destination += 16;
            source += 16;
        } else {
            uint32_t lag = distance;
            while (lag < 8)
                lag += distance;
            unsigned char* head = destination + (lag - distance);
            if (head > end)
                head = end;
            while (destination < head)
                *destination++ = *source++;
            source = destination - lag;
        }
        while (destination < end) {
            *(UnalignedWide*)destination = *(const UnalignedWide*)source;
            destination += 8;
            source += 8;
        }
        return;
    }
    while (destination < end)
        *destination++ = *source++;
}

// Writes the full block at 4096 and slides it into the history.
uint32_t FlushBlock(ExplodeState* state, uint32_t pos)
{
    uint32_t size = EXPLODE_BLOCK_SIZE;
    state->windowPos = pos;
    state->writeCallback(state->window + HISTORY_SIZE, &size, state->context);
    CopyBlock(state->window, state->window + HISTORY_SIZE, pos - HISTORY_SIZE);
    return pos - HISTORY_SIZE;
}

// The fast path's bits: acc holds nbits valid bits (bits above them may be
// copies of the bytes that follow, never anything else), in is the next
// byte not wholly in acc.
struct FastBits {
    uint64_t acc;
    uint32_t nbits;
    const unsigned char* in;
};

inline void Drop(FastBits& bits, uint32_t n)
{
    bits.acc >>= n;
    bits.nbits -= n;
}

// Back to the exact path's form: 8 to 15 bits held, the rest returned to
// inputBuffer.
void StoreBits(ExplodeState* state, FastBits& bits)
{
    while (bits.nbits > 15) {
        bits.nbits -= 8;
        --bits.in;
    }
    state->bitBuffer = (uint32_t)bits.acc & ((1u << bits.nbits) - 1);
    state->spareBits = bits.nbits - 8;
    state->inputPos = (uint32_t)(bits.in - state->inputBuffer);
}

// Decodes items while at least FAST_INPUT_MARGIN bytes of inputBuffer are
// unread. Returns SYMBOL_END_OF_STREAM at the end code, else 0 with the
// state handed back to the exact path. *pos is windowPos, below PENDING_END.
uint32_t ExpandFast(ExplodeState* state, uint32_t* pos)
{
    FastBits bits;
    bits.acc = state->bitBuffer;
    bits.nbits = 8 + state->spareBits;
    bits.in = state->inputBuffer + state->inputPos;
    const unsigned char* inEnd = state->inputBuffer + state->inputCount;
    unsigned char* window = state->window;
    const uint32_t literalMode = state->literalMode;
    const uint32_t dictionaryBits = state->dictionaryBits;
    uint32_t p = *pos;
    uint32_t result = 0;

    while (inEnd - bits.in >= FAST_INPUT_MARGIN) {
        bits.acc |= *(const UnalignedWide*)bits.in << bits.nbits;
        bits.in += (63 - bits.nbits) >> 3;
        bits.nbits |= 56;

        uint32_t flag = (uint32_t)bits.acc & 1;
        Drop(bits, 1);
        if (!flag) {
            uint32_t symbol;
            uint32_t low = (uint32_t)bits.acc & 0xFF;
            if (literalMode == 0) {
                symbol = low;
                Drop(bits, 8);
            } else {
                if (low != 0) {
                    symbol = state->literalLookup[low];
                    if (symbol == LOOKUP_MARKER) {
                        if ((low & 0x3F) != 0) {
                            Drop(bits, 4);
                            symbol = state->literalLookupAfter4[(uint32_t)bits.acc & 0xFF];
                        } else {
                            Drop(bits, 6);
                            symbol = state->literalLookupAfter6[(uint32_t)bits.acc & 0x7F];
                        }
                    }
                } else {
                    Drop(bits, 8);
                    symbol = state->literalLookupAfter8[(uint32_t)bits.acc & 0xFF];
                }
                Drop(bits, state->literalBitsLeft[symbol]);
            }
            window[p++] = (unsigned char)symbol;
        } else {
            uint32_t i = state->lengthLookup[(uint32_t)bits.acc & 0xFF];
            Drop(bits, state->lengthBits[i]);
            uint32_t extra = state->lengthExtraBits[i];
            uint32_t value = state->lengthBase[i] + ((uint32_t)bits.acc & ((1u << extra) - 1));
            if (value == END_OF_STREAM_VALUE) {
                result = SYMBOL_END_OF_STREAM;
                break;
            }
            Drop(bits, extra);
            uint32_t length = value + 2;
            uint32_t j = state->distanceLookup[(uint32_t)bits.acc & 0xFF];
            Drop(bits, state->distanceBits[j]);
            // Length 2 takes 2 low bits, all others dictionaryBits; chosen
            // without a branch, as length 2 is frequent and unpredictable.
            uint32_t lowBits = length == 2 ? 2 : dictionaryBits;
            uint32_t distance = (j << lowBits) + ((uint32_t)bits.acc & ((1u << lowBits) - 1)) + 1;
            Drop(bits, lowBits);
            CopyMatch(window, p, distance, length);
            p += length;
        }
        if (p >= PENDING_END) {
            StoreBits(state, bits);
            p = FlushBlock(state, p);
        }
    }
    StoreBits(state, bits);
    *pos = p;
    return result;
}

// The main loop: returns SYMBOL_END_OF_STREAM or SYMBOL_FAILED after the
// final block went out.
uint32_t ExpandStream(ExplodeState* state)
{
    // Distances that reach before the stream's start read zeros, never
    // leftovers of an earlier stream.
    ClearBytes(state->window, HISTORY_SIZE);
    uint32_t pos = HISTORY_SIZE;
    uint32_t result;
    for (;;) {
        if (state->inputCount - state->inputPos >= FAST_INPUT_MARGIN) {
            result = ExpandFast(state, &pos);
            if (result != 0)
                break;
            continue;
        }
        uint32_t value = DecodeSymbol(state);
        if (value >= SYMBOL_END_OF_STREAM) {
            result = value;
            break;
        }
        if (value < 256) {
            state->window[pos++] = (unsigned char)value;
        } else {
            uint32_t length = value - 254;
            uint32_t distance = DecodeDistance(state, length);
            if (distance == 0) {
                result = SYMBOL_FAILED;
                break;
            }
            CopyMatch(state->window, pos, distance, length);
            pos += length;
        }
        if (pos >= PENDING_END)
            pos = FlushBlock(state, pos);
    }
    state->windowPos = pos;
    uint32_t size = pos - HISTORY_SIZE;
    state->writeCallback(state->window + HISTORY_SIZE, &size, state->context);
    return result;
}

} // namespace

int Explode(ExplodeReadFn readCallback, ExplodeWriteFn writeCallback, ExplodeState* state,
            void* context)
{
    state->readCallback = readCallback;
    state->writeCallback = writeCallback;
    state->context = context;

    state->inputCount = ReadInput(state);
    if (state->inputCount <= 4)
        return EXPLODE_SHORT_INPUT;
    state->literalMode = state->inputBuffer[0];
    state->dictionaryBits = state->inputBuffer[1];
    state->bitBuffer = state->inputBuffer[2];
    state->spareBits = 0;
    state->inputPos = 3;

    if (state->dictionaryBits < 4 || state->dictionaryBits > 6)
        return EXPLODE_BAD_DICTIONARY;
    state->dictionaryMask = 0xFFFFu >> (16 - state->dictionaryBits);

    if (state->literalMode == 1) {
        // Unused entries are never reached by any stream; clearing them keeps
        // even a wrong assumption about that deterministic.
        ClearBytes(state->literalLookup, 256);
        ClearBytes(state->literalLookupAfter4, 256);
        ClearBytes(state->literalLookupAfter6, 128);
        ClearBytes(state->literalLookupAfter8, 256);
        CopyBlock(state->literalBitsLeft, LITERAL_BITS, 256);
        BuildLiteralLookups(state);
    } else if (state->literalMode != 0) {
        return EXPLODE_BAD_LITERAL_MODE;
    }

    CopyBlock(state->lengthBits, LENGTH_BITS, 16);
    BuildLookup(16, state->lengthBits, LENGTH_CODES, state->lengthLookup);
    CopyBlock(state->lengthExtraBits, LENGTH_EXTRA_BITS, 16);
    CopyBlock((unsigned char*)state->lengthBase, (const unsigned char*)LENGTH_BASE,
              sizeof(state->lengthBase));
    CopyBlock(state->distanceBits, DISTANCE_BITS, 64);
    BuildLookup(64, state->distanceBits, DISTANCE_CODES, state->distanceLookup);

    return ExpandStream(state) == SYMBOL_END_OF_STREAM ? EXPLODE_OK : EXPLODE_UNEXPECTED_END;
}
