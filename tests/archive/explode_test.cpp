// Explode against streams assembled bit by bit from the format's published
// tables, so that a wrong length base, extra-bit count or code in its tables
// cannot pass; its results, reads and writes; and the agreement of its fast
// path (8 or more unread input bytes) and its exact path (1-byte reads).
//
// The codes were worked out by hand: canonical codes over the published bit lengths, inverted, sent
// most significant bit first. A field "pattern/bits" is the hex value its bits form read first bit
// lowest (length code 0x05, "101", is 05/3); a bare 0 or 1 is one bit. A length code i is followed
// by LENGTH_EXTRA_BITS[i] bits x; a distance is its code j, then y in 2 low bits for length 2
// (4j + y + 1 back), else in d low bits (64 << d back at most).
#include "encoder.h"
#include "explode_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace {

struct BitWriter {
    Bytes bytes;
    unsigned used = 16;
    void Put(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i, ++used) {
            bytes.resize(used / 8 + 1);
            bytes.back() |= (unsigned char)(((value >> i) & 1) << (used % 8));
        }
    }
    void Put(const char* fields) {
        for (char* p = (char*)fields; *p != 0;) {
            uint32_t value = (uint32_t)std::strtoul(p, &p, 16);
            Put(value, *p == '/' ? (unsigned)std::strtoul(p + 1, &p, 10) : 1);
        }
    }
};

const char* const END = "1 00/7 FF/8";  // length code 15 with x = 255

// Accepted on both paths, which never ask for a byte after the end code.
void ExpectDecodes(const Bytes& stream, const Bytes& want) {
    Bytes followed = stream;
    followed.insert(followed.end(), 8, 0xEE);
    for (const ExplodeRun& run : { RunExplode(followed), RunExplode(stream, 5, 1) }) {
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, want);
    }
    EXPECT_EQ(RunExplode(followed, 5, 1).consumed, stream.size());
}

struct Item {
    const char* bits;
    const char* text;  // what it yields, `repeat` times; "" is a zero byte
    unsigned repeat = 1, times = 1;
};

// Zeros come from before the start, the farthest distance back (j = 63, y all
// ones), up to output 64 << d, where that distance copies the first bytes.
// clang-format off
const struct { unsigned char mode, dictionary; std::vector<Item> items; } STREAMS[] = {
    // Every length class at both ends; distance 1 is j = 0 (03/2), y = 0.
    {0, 4, {{"0 58/8 1 05/3 03/2 0/2", "X", 3},  // 'X', then a match of 2
        {"1 00/7 FE/8 00/8 F/4", "", 518}, {"1 40/7 7F/7 00/8 F/4", "", 263},
        {"1 40/7 00/7 00/8 F/4", "", 136}, {"1 10/6 1F/5 00/8 F/4", "", 71},
        {"1 30/6 0/4 00/8 F/4", "", 24}, {"1 14/5 00/8 F/4", "", 9}, {"1 03/2 00/8 F/4", "X", 3},
        {"0 61/8 1 01/3 03/2 0/4", "a", 1 + 4}, {"0 62/8 1 06/3 03/2 0/4", "b", 1 + 5},
        {"0 63/8 1 0A/4 03/2 0/4", "c", 1 + 6}, {"0 64/8 1 02/4 03/2 0/4", "d", 1 + 7},
        {"0 65/8 1 0C/4 03/2 0/4", "e", 1 + 8}, {"0 66/8 1 04/5 0/1 03/2 0/4", "f", 1 + 10},
        {"0 67/8 1 04/5 1/1 03/2 0/4", "g", 1 + 11}, {"0 68/8 1 18/5 0/2 03/2 0/4", "h", 1 + 12},
        {"0 69/8 1 18/5 3/2 03/2 0/4", "i", 1 + 15}, {"0 6A/8 1 08/5 0/3 03/2 0/4", "j", 1 + 16},
        {"0 6B/8 1 08/5 7/3 03/2 0/4", "k", 1 + 23}, {"0 6C/8 1 30/6 F/4 03/2 0/4", "l", 1 + 39},
        {"0 6D/8 1 10/6 0/5 03/2 0/4", "m", 1 + 40}, {"0 6E/8 1 20/6 0/6 03/2 0/4", "n", 1 + 72},
        {"0 6F/8 1 20/6 3F/6 03/2 0/4", "o", 1 + 135}, {"0 70/8 1 00/7 0/8 03/2 0/4", "p", 1 + 264},
        {END, "", 0}}},
    // Literal codes of 4 to 13 bits, the first and last of each length among
    // them, then the farthest match of d = 5.
    {1, 5, {{"0 F/4 0 17/5 0 07/5 0 19/5", " Eau"}, {"0 29/6 0 31/6 0 12/6", "-Ap"},
        {"0 62/7 0 22/7 0 78/7", "\n\rw"}, {"0 B8/8 0 A8/8 0 70/8", "\tGy"},
        {"0 1B0/9 0 30/9 0 150/9", "+V]"}, {"0 250/10 0 390/10 0 290/10", "!&z"},
        {"0 90/11 0 10/11", "<|"}, {"0 490/11", ""},
        {"0 FE0/12 0 20/12 0 FC0/12 0 A40/12", "\x01\xCB\xCC\xF4"},
        {"0 1240/13 0 240/13 0 80/13 0 1F00/13 0 0/13", "\x1A\x80\xA8\xA9\xFF"},
        {"1 00/7 FE/8 00/8 1F/5", "", 518, 3}, {"1 00/7 C7/8 00/8 1F/5", "", 463},
        {"1 03/2 00/8 1F/5", " Ea"}, {END, "", 0}}},
    // Length 2 reaches 256 back (j = 63, y = 3) whatever d is; the farthest match follows the slide
    // of the first block. 45 bytes: the end code ends on the last bit of the input.
    {1, 6, {{"0 1B/5 0 07/5 0 F/4", "ea "}, {"1 40/7 75/7 00/8 3F/6", "", 253},
        {"1 05/3 00/8 3/2", "ea"}, {"1 00/7 FE/8 00/8 3F/6", "", 518, 7},
        {"1 40/7 4C/7 00/8 3F/6", "", 212}, {"1 03/2 00/8 3F/6 0 1B/5 0 07/5", "ea ea"},
        {END, "", 0}}},
};
// clang-format on

TEST(ExplodeKnownAnswer, LengthsAndFarthestDistances) {
    for (const auto& known : STREAMS) {
        BitWriter writer{ { known.mode, known.dictionary } };
        Bytes want;
        for (const Item& item : known.items)
            for (unsigned t = 0; t < item.times; ++t, writer.Put(item.bits))
                for (unsigned r = 0; r < item.repeat; ++r)
                    want.insert(want.end(), item.text,
                        item.text + std::max<size_t>(1, std::strlen(item.text)));
        SCOPED_TRACE(testing::Message() << "mode " << +known.mode << ", d " << +known.dictionary);
        ExpectDecodes(writer.bytes, want);
    }
}

const char* const DISTANCES =  // the codes of j = 0 to 63, in order
    "3/2 D/4 5/4 19/5 9/5 11/5 1/5 3E/6 1E/6 2E/6 E/6 36/6 16/6 26/6 6/6 3A/6 1A/6 2A/6 A/6 32/6 "
    "12/6 22/6 42/7 2/7 7C/7 3C/7 5C/7 1C/7 6C/7 2C/7 4C/7 C/7 74/7 34/7 54/7 14/7 64/7 24/7 44/7 "
    "4/7 78/7 38/7 58/7 18/7 68/7 28/7 48/7 8/7 F0/8 70/8 B0/8 30/8 D0/8 50/8 90/8 10/8 E0/8 60/8 "
    "A0/8 20/8 C0/8 40/8 80/8 0/8";

// Plain literals up to output 4095, a match of 518 from 4000 back (j = 62, y = 31) that ends on the
// window's last byte, then for every distance code j a match of 2 at 4j + y + 1 (y = j % 4). Also
// read so that the window's end comes just after a refill of the input buffer, which lies behind
// it: the match must not spill into the unread input.
TEST(ExplodeKnownAnswer, EveryDistanceCodeAfterAMatchToTheWindowEnd) {
    BitWriter writer{ { 0, 6 } };
    Bytes want;
    for (std::size_t i = 0; i < 4095; ++i, writer.Put(want.back() << 1, 9))  // flag 0, the byte
        want.push_back((unsigned char)(i * 7919 >> 3));
    writer.Put("1 00/7 FE/8 80/8 1F/6");  // at stream byte 4609
    for (int i = 0; i < 518; ++i) want.push_back(want[want.size() - 4000]);
    std::istringstream distances(DISTANCES);
    std::string field;
    for (unsigned j = 0; distances >> field; ++j) {
        writer.Put(("1 05/3 " + field).c_str());
        writer.Put(j % 4, 2);
        for (int k = 0; k < 2; ++k) want.push_back(want[want.size() - (4 * j + j % 4 + 1)]);
    }
    writer.Put(END);
    ExpectDecodes(writer.bytes, want);
    for (uint32_t first = 500; first < 530; ++first)
        ASSERT_EQ(RunExplode(writer.bytes, first).output, want)
            << "reads of " << first << ", then 2048";
}

// Only a stream that decodes writes: its final block, here of 0 bytes.
TEST(Explode, HeaderFailuresWriteNothing) {
    // clang-format off
    const struct { const char* name; Bytes stream; int result; unsigned emptyWrites; } rows[] = {
        {"no input", {}, EXPLODE_SHORT_INPUT, 0},
        {"4 bytes, one short", {0, 4, 0x01, 0xFF}, EXPLODE_SHORT_INPUT, 0},
        {"the end code alone", {0, 4, 0x01, 0xFF, 0}, EXPLODE_OK, 1},
        {"dictionary 3", {1, 3, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, 0},
        {"dictionary 7", {0, 7, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, 0},
        {"literal mode 2", {2, 6, 0, 0, 0}, EXPLODE_BAD_LITERAL_MODE, 0},
        {"both bad: the dictionary is judged first", {7, 2, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        ExplodeRun run = RunExplode(row.stream);
        EXPECT_EQ(run.result, row.result) << row.name;
        EXPECT_EQ(run.writes, std::vector<uint32_t>(row.emptyWrites, 0)) << row.name;
    }
}

// Encoder streams in both literal modes and all dictionary sizes come back whole on both paths, in
// blocks of 4096 and a final call with the rest, also from a reader that claims more than the
// buffer holds. Cut short, they keep what was decoded: all of it when only the end code is cut. The
// data: 40-byte pieces copied from up to 9 or 4500 bytes back, 20 bytes of noise every 400 that
// hold every literal; as the encoder derives each code from the bit lengths alone, every stored
// pattern is checked against that rule here.
TEST(Explode, BothPathsGiveBackEncodedDataInBlocks) {
    std::mt19937 random(7);
    for (int mode = 0; mode <= 1; ++mode)
        for (int dictionary = 4; dictionary <= 6; ++dictionary)
            for (std::size_t size : { 4095, 4096, 4097, 30000 }) {
                Bytes data(size), stream;
                for (std::size_t i = 0, back = 1; i < size; ++i) {
                    back = i % 40 ? back : 1 + random() % (i % 80 ? 9 : 4500);
                    data[i] = i >= back && i % 400 >= 20 ? data[i - back] : random();
                }
                ASSERT_EQ(EncodeStream(data.data(), size, mode, dictionary, &stream), 1);
                EXPECT_LT(stream.size(), size * 3 / 4) << "the encoder found no matches";
                SCOPED_TRACE(
                    testing::Message() << "mode " << mode << ", d " << dictionary << ", " << size);
                std::vector<uint32_t> blocks(size / EXPLODE_BLOCK_SIZE, EXPLODE_BLOCK_SIZE);
                blocks.push_back(size % EXPLODE_BLOCK_SIZE);  // the final call, maybe of 0 bytes
                Bytes cut(stream.begin(), stream.end() - 1),
                    half(stream.begin(), stream.begin() + stream.size() / 2);
                for (const ExplodeRun& run : { RunExplode(stream), RunExplode(stream, 5, 1),
                         RunExplode(stream, 2048, 2048, 100000), RunExplode(cut),
                         RunExplode(cut, 5, 1), RunExplode(half, 5, 1 + size % 7) }) {
                    bool whole = run.consumed == stream.size() || run.consumed == cut.size();
                    ASSERT_EQ(run.result,
                        run.consumed == stream.size() ? EXPLODE_OK : EXPLODE_UNEXPECTED_END);
                    std::size_t kept = whole ? size : std::min(size, run.output.size());
                    ASSERT_EQ(run.output, Bytes(data.begin(), data.begin() + kept));
                    if (whole) ASSERT_EQ(run.writes, blocks);
                }
            }
}

}  // namespace
