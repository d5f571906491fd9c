// Streams assembled bit by bit from the format's published tables, so that a
// wrong length base, extra-bit count or code in the decoder's tables cannot
// pass. Codes were worked out by hand: canonical codes over the published bit
// lengths, inverted, sent most significant bit first. A field "pattern/bits"
// is the hex value its bits form read first bit lowest (length code 0x05,
// "101", is 05/3); a bare 0 or 1 is one bit. Length code i is followed by
// LENGTH_EXTRA_BITS[i] bits x; a distance is its code j, then y in 2 low bits
// for length 2 (4j + y + 1 back), else in d low bits (64 << d back at most).
#include "explode.h"
#include "explode_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

struct BitWriter {
    Bytes bytes;
    unsigned used = 16;
    void Put(uint32_t value, unsigned count)
    {
        for (unsigned i = 0; i < count; ++i, ++used) {
            if (used % 8 == 0)
                bytes.push_back(0);
            bytes.back() |= (unsigned char)(((value >> i) & 1) << (used % 8));
        }
    }
    void Put(const char* fields)
    {
        for (char* p = (char*)fields; *p != 0;) {
            uint32_t value = (uint32_t)std::strtoul(p, &p, 16);
            Put(value, *p == '/' ? (unsigned)std::strtoul(p + 1, &p, 10) : 1);
            while (*p == ' ')
                ++p;
        }
    }
};

const char* const END = "1 00/7 FF/8";  // length code 15 with x = 255

// Accepted on the fast path (whole reads) and the exact path (1-byte reads),
// without asking for a byte after the end code or needing one.
void ExpectDecodes(const Bytes& stream, const Bytes& want)
{
    Bytes followed = stream;
    followed.insert(followed.end(), 8, 0xEE);
    ExplodeRun runs[] = {RunExplode(followed), RunExplode(followed, 5, 1), RunExplode(stream, 5, 1)};
    for (const ExplodeRun& run : runs) {
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, want);
    }
    EXPECT_EQ(runs[1].consumed, stream.size());
}

struct Item {
    const char* bits;
    const char* text;     // the bytes it yields, repeated; "" is one zero byte
    unsigned repeat = 1;
    unsigned times = 1;   // the whole item repeated
};

// Zeros come from before the start, the farthest distance back (j = 63, y all
// ones), up to output 64 << d, where that distance copies the first bytes.
const struct {
    unsigned char mode, dictionary;
    std::vector<Item> items;
} STREAMS[] = {
    // Every length class at both ends; distance 1 is j = 0 (03/2), y = 0.
    {0, 4, {{"0 58/8 1 05/3 03/2 0/2", "X", 3},  // 'X', then a match of 2
            {"1 00/7 FE/8 00/8 F/4", "", 518}, {"1 40/7 7F/7 00/8 F/4", "", 263},
            {"1 40/7 00/7 00/8 F/4", "", 136}, {"1 10/6 1F/5 00/8 F/4", "", 71},
            {"1 30/6 0/4 00/8 F/4", "", 24}, {"1 14/5 00/8 F/4", "", 9},
            {"1 03/2 00/8 F/4", "X", 3},
            {"0 61/8 1 01/3 03/2 0/4", "a", 1 + 4}, {"0 62/8 1 06/3 03/2 0/4", "b", 1 + 5},
            {"0 63/8 1 0A/4 03/2 0/4", "c", 1 + 6}, {"0 64/8 1 02/4 03/2 0/4", "d", 1 + 7},
            {"0 65/8 1 0C/4 03/2 0/4", "e", 1 + 8}, {"0 66/8 1 04/5 0/1 03/2 0/4", "f", 1 + 10},
            {"0 67/8 1 04/5 1/1 03/2 0/4", "g", 1 + 11}, {"0 68/8 1 18/5 0/2 03/2 0/4", "h", 1 + 12},
            {"0 69/8 1 18/5 3/2 03/2 0/4", "i", 1 + 15}, {"0 6A/8 1 08/5 0/3 03/2 0/4", "j", 1 + 16},
            {"0 6B/8 1 08/5 7/3 03/2 0/4", "k", 1 + 23}, {"0 6C/8 1 30/6 F/4 03/2 0/4", "l", 1 + 39},
            {"0 6D/8 1 10/6 0/5 03/2 0/4", "m", 1 + 40}, {"0 6E/8 1 20/6 0/6 03/2 0/4", "n", 1 + 72},
            {"0 6F/8 1 20/6 3F/6 03/2 0/4", "o", 1 + 135}, {"0 70/8 1 00/7 0/8 03/2 0/4", "p", 1 + 264},
            {END, "", 0}}},
    {1, 5, {{"0 F/4 0 17/5 0 07/5", " Ea"}, {"1 00/7 FE/8 00/8 1F/5", "", 518, 3},
            {"1 00/7 E3/8 00/8 1F/5", "", 491}, {"1 03/2 00/8 1F/5", " Ea"}, {END, "", 0}}},
    // Length 2 reaches 256 back (j = 63, y = 3) whatever d is; the farthest
    // match follows the slide of the first block.
    {1, 6, {{"0 1B/5 0 07/5 0 F/4", "ea "}, {"1 40/7 75/7 00/8 3F/6", "", 253},
            {"1 05/3 00/8 3/2", "ea"}, {"1 00/7 FE/8 00/8 3F/6", "", 518, 7},
            {"1 40/7 4C/7 00/8 3F/6", "", 212}, {"1 03/2 00/8 3F/6", "ea "}, {END, "", 0}}},
    // 13 bytes: the end code ends on the last bit of the input.
    {0, 6, {{"0 76/8 0 65/8 0 6C/8 0 6F/8 0 72/8 0 69/8 0 6E/8 0 21/8", "velorin!"}, {END, "", 0}}},
};

TEST(ExplodeKnownAnswer, LengthsAndFarthestDistances)
{
    for (const auto& known : STREAMS) {
        BitWriter writer{{known.mode, known.dictionary}};
        Bytes want;
        for (const Item& item : known.items) {
            for (unsigned t = 0; t < item.times; ++t) {
                writer.Put(item.bits);
                for (unsigned r = 0; r < item.repeat; ++r)
                    want.insert(want.end(), item.text, item.text + std::max<size_t>(1, std::strlen(item.text)));
            }
        }
        SCOPED_TRACE(testing::Message() << "mode " << +known.mode << ", d " << +known.dictionary);
        ExpectDecodes(writer.bytes, want);
    }
}

// Literal codes for the bytes 0 to 255, in order.
const char* const LITERALS =
    "490/11 FE0/12 7E0/12 BE0/12 3E0/12 DE0/12 5E0/12 9E0/12 1E0/12 B8/8 62/7 EE0/12 6E0/12 22/7 "
    "AE0/12 2E0/12 CE0/12 4E0/12 8E0/12 E0/12 F60/12 760/12 B60/12 360/12 D60/12 560/12 1240/13 "
    "960/12 160/12 E60/12 660/12 A60/12 F/4 250/10 38/8 260/12 50/10 C60/12 390/10 D8/8 42/7 2/7 "
    "58/8 1B0/9 7C/7 29/6 3C/7 98/8 5C/7 9/6 1C/7 6C/7 2C/7 4C/7 18/8 C/7 74/7 E8/8 68/8 460/12 "
    "90/11 34/7 B0/9 710/11 860/12 31/6 54/7 11/6 21/6 17/5 14/7 A8/8 28/8 1/6 310/11 130/9 3E/6 "
    "64/7 1E/6 2E/6 24/7 510/11 E/6 36/6 16/6 44/7 30/9 C8/8 1D0/9 D0/9 110/11 48/8 610/11 150/9 "
    "60/12 88/8 FA0/12 7/5 26/6 6/6 3A/6 1B/5 1A/6 2A/6 A/6 B/5 210/11 4/7 13/5 32/6 3/5 1D/5 "
    "12/6 190/10 D/5 15/5 5/5 19/5 8/8 78/7 F0/8 70/8 290/10 410/11 10/11 7A0/12 BA0/12 3A0/12 "
    "240/13 1C40/13 C40/13 1440/13 440/13 1840/13 840/13 1040/13 40/13 1F80/13 F80/13 1780/13 "
    "780/13 1B80/13 B80/13 1380/13 380/13 1D80/13 D80/13 1580/13 580/13 1980/13 980/13 1180/13 "
    "180/13 1E80/13 E80/13 1680/13 680/13 1A80/13 A80/13 1280/13 280/13 1C80/13 C80/13 1480/13 "
    "480/13 1880/13 880/13 1080/13 80/13 1F00/13 F00/13 1700/13 700/13 1B00/13 B00/13 1300/13 "
    "DA0/12 5A0/12 9A0/12 1A0/12 EA0/12 6A0/12 AA0/12 2A0/12 CA0/12 4A0/12 8A0/12 A0/12 F20/12 "
    "720/12 B20/12 320/12 D20/12 520/12 920/12 120/12 E20/12 620/12 A20/12 220/12 C20/12 420/12 "
    "820/12 20/12 FC0/12 7C0/12 BC0/12 3C0/12 DC0/12 5C0/12 9C0/12 1C0/12 EC0/12 6C0/12 AC0/12 "
    "2C0/12 CC0/12 4C0/12 8C0/12 C0/12 F40/12 740/12 B40/12 340/12 300/13 D40/12 1D00/13 D00/13 "
    "1500/13 540/12 500/13 1900/13 900/13 940/12 1100/13 100/13 1E00/13 E00/13 140/12 1600/13 "
    "600/13 1A00/13 E40/12 640/12 A40/12 A00/13 1200/13 200/13 1C00/13 C00/13 1400/13 400/13 "
    "1800/13 800/13 1000/13 0/13";
// Distance codes for j = 0 to 63, in order.
const char* const DISTANCES =
    "3/2 D/4 5/4 19/5 9/5 11/5 1/5 3E/6 1E/6 2E/6 E/6 36/6 16/6 26/6 6/6 3A/6 1A/6 2A/6 A/6 32/6 "
    "12/6 22/6 42/7 2/7 7C/7 3C/7 5C/7 1C/7 6C/7 2C/7 4C/7 C/7 74/7 34/7 54/7 14/7 64/7 24/7 44/7 "
    "4/7 78/7 38/7 58/7 18/7 68/7 28/7 48/7 8/7 F0/8 70/8 B0/8 30/8 D0/8 50/8 90/8 10/8 E0/8 60/8 "
    "A0/8 20/8 C0/8 40/8 80/8 0/8";

// Every literal, then for every distance code j a match of 2 at 4j + y + 1
// (y = j % 4), which copies two of those literals.
TEST(ExplodeKnownAnswer, EveryLiteralAndDistanceCode)
{
    BitWriter writer{{1, 4}};
    Bytes want;
    std::istringstream literals(LITERALS), distances(DISTANCES);
    for (std::string field; literals >> field; want.push_back((unsigned char)want.size())) {
        writer.Put("0");
        writer.Put(field.c_str());
    }
    std::string field;
    for (unsigned j = 0; distances >> field; ++j) {
        writer.Put("1 05/3");
        writer.Put(field.c_str());
        writer.Put(j % 4, 2);
        for (int k = 0; k < 2; ++k)
            want.push_back(want[want.size() - (4 * j + j % 4 + 1)]);
    }
    writer.Put(END);
    ASSERT_EQ(want.size(), 256u + 128u);
    ExpectDecodes(writer.bytes, want);
}

} // namespace
