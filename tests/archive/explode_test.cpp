// Explode's results, reads and writes, and the agreement of its fast path
// (8 or more unread bytes in the input buffer) and its exact path, which
// 1-byte reads force.
#include "encoder.h"
#include "explode_harness.h"
#include "stream_writer.h"

#include <gtest/gtest.h>

namespace {

// Noise; or, structured, 700-byte stretches of words over a small vocabulary
// and of repeats with periods 1 to 9 in turn.
Bytes Sample(std::size_t size, bool structured)
{
    static const char* const words[] = {"setup ", "copies ", "the ", "component\n", "Velorin "};
    Bytes data = RandomBytes(size, (unsigned)size);
    for (std::size_t i = 0; structured && i < size; ++i) {
        std::size_t stretch = i / 700, period = 1 + stretch / 2 % 9;
        if (stretch % 2 == 0 && i % 700 >= period)
            data[i] = data[i - period];
        for (const char* c = words[data[i] % 5]; stretch % 2 == 1 && *c != 0 && i < size; ++c)
            data[i++] = (unsigned char)*c;
    }
    return data;
}

TEST(Explode, HeaderFailuresWriteNothing)
{
    const struct {
        Bytes stream;
        int result;
        std::vector<uint32_t> writes;
    } cases[] = {
        {{}, EXPLODE_SHORT_INPUT, {}},
        {{0, 4, 0x01, 0xFF}, EXPLODE_SHORT_INPUT, {}},  // the end code alone
        {{0, 4, 0x01, 0xFF, 0}, EXPLODE_OK, {0}},
        {{1, 3, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, {}},
        {{0, 7, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, {}},
        {{7, 2, 0, 0, 0}, EXPLODE_BAD_DICTIONARY, {}},  // judged before the literal mode
        {{2, 6, 0, 0, 0}, EXPLODE_BAD_LITERAL_MODE, {}},
    };
    for (const auto& c : cases) {
        ExplodeRun run = RunExplode(c.stream);
        EXPECT_EQ(run.result, c.result) << testing::PrintToString(c.stream);
        EXPECT_EQ(run.writes, c.writes) << testing::PrintToString(c.stream);
    }
}

// Encoder streams in both literal modes and all dictionary sizes come back
// whole on both paths, in blocks of 4096 and a final call with the rest, also
// from a reader that claims more than the buffer holds.
TEST(Explode, BothPathsGiveBackEncodedDataInBlocks)
{
    const struct {
        std::size_t size;
        std::vector<uint32_t> writes;
    } sizes[] = {{0, {0}}, {4095, {4095}}, {4096, {4096, 0}}, {4097, {4096, 1}},
                 {30000, {4096, 4096, 4096, 4096, 4096, 4096, 4096, 1328}}};
    for (int mode = 0; mode <= 1; ++mode) {
        for (int dictionary = 4; dictionary <= 6; ++dictionary) {
            for (const auto& s : sizes) {
                for (bool structured : {false, true}) {
                    Bytes data = Sample(s.size, structured), stream;
                    ASSERT_EQ(EncodeStream(data.data(), data.size(), mode, dictionary, &stream), 1);
                    if (structured && s.size > 4096)
                        EXPECT_LT(stream.size(), s.size / 2) << "the encoder found no matches";
                    for (const ExplodeRun& run : {RunExplode(stream), RunExplode(stream, 5, 1),
                                                  RunExplode(stream, 2048, 2048, 100000)}) {
                        ASSERT_EQ(run.result, EXPLODE_OK) << mode << dictionary << s.size << structured;
                        ASSERT_EQ(run.output, data) << mode << dictionary << s.size << structured;
                        ASSERT_EQ(run.writes, s.writes) << mode << dictionary << s.size << structured;
                    }
                }
            }
        }
    }
}

// Whatever arbitrary bits decode to, reads of any size give the same result,
// output and writes; input that ends early keeps what was decoded.
TEST(Explode, BothPathsAgreeOnArbitraryAndCutStreams)
{
    for (unsigned seed = 0; seed < 300; ++seed) {
        Bytes stream = RandomBytes(5 + seed * 20, seed);
        stream[0] = (unsigned char)(seed % 2);
        stream[1] = (unsigned char)(4 + seed % 3);
        ExplodeRun fast = RunExplode(stream), exact = RunExplode(stream, 5, 1 + seed % 9);
        ASSERT_EQ(fast.result, exact.result) << "seed " << seed;
        ASSERT_EQ(fast.output, exact.output) << "seed " << seed;
        ASSERT_EQ(fast.writes, exact.writes) << "seed " << seed;
    }
    Bytes data = Sample(6000, true), stream;
    EncodeStream(data.data(), data.size(), 1, 5, &stream);
    for (std::size_t cut = 5; cut < stream.size(); ++cut) {
        Bytes part(stream.begin(), stream.begin() + cut);
        ExplodeRun run = cut % 2 ? RunExplode(part) : RunExplode(part, 5, 1);
        ASSERT_EQ(run.result, EXPLODE_UNEXPECTED_END) << "cut at " << cut;
        ASSERT_LE(run.output.size(), data.size());
        ASSERT_TRUE(std::equal(run.output.begin(), run.output.end(), data.begin())) << "cut at " << cut;
        if (cut == stream.size() - 1)  // only the end code is cut short
            EXPECT_EQ(run.output, data);
    }
}

// A match ending at the very end of the window, decoded just after a read
// refilled the input buffer that lies behind it, leaves the input alone.
TEST(Explode, MatchEndingAtTheWindowEndLeavesTheInputAlone)
{
    Bytes data = RandomBytes(4095, 8), tail = RandomBytes(64, 9), stream;
    StreamWriter writer;
    StreamWriterBegin(&writer, &stream, 0, 6);
    for (unsigned char c : data)
        StreamWriteLiteral(&writer, c);
    StreamWriteMatch(&writer, 518, 4000);  // at stream byte 2 + 36855 / 8
    for (std::size_t i = 0; i < 518; ++i)
        data.push_back(data[data.size() - 4000]);
    for (unsigned char c : tail)
        StreamWriteLiteral(&writer, c);
    StreamWriterEnd(&writer);
    data.insert(data.end(), tail.begin(), tail.end());
    for (uint32_t first = 500; first < 530; ++first)
        ASSERT_EQ(RunExplode(stream, first).output, data) << "reads of " << first << ", then 2048";
}

} // namespace
