// The decoder's code tables are constants; here they are derived again from
// the bit lengths by the canonical-code rule and checked against the
// published check values.
#include "explode_tables.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Canonical codes over increasing bit lengths, inverted, sent most
// significant bit first: the pattern is the inverted code bit-reversed.
std::vector<unsigned> Derive(const unsigned char* bits, unsigned count)
{
    std::vector<unsigned> patterns(count);
    unsigned running = 0;
    for (unsigned length = 1; length <= 16; ++length) {
        for (unsigned s = 0; s < count; ++s) {
            if (bits[s] != length)
                continue;
            unsigned inverted = ~running++ & ((1u << length) - 1);
            for (unsigned b = 0; b < length; ++b)
                patterns[s] |= ((inverted >> b) & 1) << (length - 1 - b);
        }
        running <<= 1;
    }
    return patterns;
}

// Sum of 2^-bits over all symbols, in units of 2^-16: a complete prefix code
// sums to exactly 1.
unsigned KraftSum(const unsigned char* bits, unsigned count)
{
    unsigned sum = 0;
    for (unsigned s = 0; s < count; ++s)
        sum += 1u << (16 - bits[s]);
    return sum;
}

TEST(ExplodeTables, CodesFollowFromBitLengths)
{
    std::vector<unsigned> length = Derive(LENGTH_BITS, 16);
    for (unsigned i = 0; i < 16; ++i)
        EXPECT_EQ(length[i], LENGTH_CODES[i]) << "length symbol " << i;
    std::vector<unsigned> distance = Derive(DISTANCE_BITS, 64);
    for (unsigned i = 0; i < 64; ++i)
        EXPECT_EQ(distance[i], DISTANCE_CODES[i]) << "distance symbol " << i;
    std::vector<unsigned> literal = Derive(LITERAL_BITS, 256);
    for (unsigned i = 0; i < 256; ++i)
        EXPECT_EQ(literal[i], LITERAL_CODES[i]) << "literal " << i;
}

TEST(ExplodeTables, CodesAreComplete)
{
    EXPECT_EQ(KraftSum(LENGTH_BITS, 16), 1u << 16);
    EXPECT_EQ(KraftSum(DISTANCE_BITS, 64), 1u << 16);
    EXPECT_EQ(KraftSum(LITERAL_BITS, 256), 1u << 16);
}

TEST(ExplodeTables, PublishedCheckValues)
{
    const unsigned lengthCodes[16] = {0x05, 0x03, 0x01, 0x06, 0x0A, 0x02, 0x0C, 0x14,
                                      0x04, 0x18, 0x08, 0x30, 0x10, 0x20, 0x40, 0x00};
    for (unsigned i = 0; i < 16; ++i)
        EXPECT_EQ(LENGTH_CODES[i], lengthCodes[i]);

    const unsigned distance[][2] = {{0, 0x03},  {1, 0x0D},  {2, 0x05},  {3, 0x19},
                                    {6, 0x01},  {7, 0x3E},  {21, 0x22}, {22, 0x42},
                                    {47, 0x08}, {48, 0xF0}, {63, 0x00}};
    for (const auto& check : distance)
        EXPECT_EQ(DISTANCE_CODES[check[0]], check[1]) << "distance symbol " << check[0];

    const unsigned literal[][3] = {{0x20, 0x000F, 4}, {0x61, 0x0007, 5}, {0x65, 0x001B, 5},
                                   {0x41, 0x0031, 6}, {0x0A, 0x0062, 7}, {0x0D, 0x0022, 7},
                                   {0x09, 0x00B8, 8}, {0x00, 0x0490, 11}, {0x80, 0x0240, 13},
                                   {0xFF, 0x0000, 13}};
    for (const auto& check : literal) {
        EXPECT_EQ(LITERAL_CODES[check[0]], check[1]) << "literal " << check[0];
        EXPECT_EQ(LITERAL_BITS[check[0]], check[2]) << "literal " << check[0];
    }
}

} // namespace
