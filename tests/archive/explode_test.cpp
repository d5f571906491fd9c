// Explode on streams built item by item: result codes, the end code, match
// edge cases, and the exact read and write calls.
#include "explode.h"
#include "explode_harness.h"
#include "stream_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

namespace {

// Builds a stream item by item with the encoder's writer.
struct Builder {
    Bytes bytes;
    StreamWriter writer;
    Bytes expected;

    Builder(int literalMode, int dictionaryBits)
    {
        StreamWriterBegin(&writer, &bytes, literalMode, dictionaryBits);
    }
    Builder& Literal(unsigned char c)
    {
        StreamWriteLiteral(&writer, c);
        expected.push_back(c);
        return *this;
    }
    Builder& Literals(const Bytes& data)
    {
        for (unsigned char c : data)
            Literal(c);
        return *this;
    }
    // Appends to `expected` what the match yields, zeros before the start.
    Builder& Match(uint32_t length, uint32_t distance)
    {
        StreamWriteMatch(&writer, length, distance);
        for (uint32_t i = 0; i < length; ++i) {
            std::size_t at = expected.size();
            expected.push_back(at >= distance ? expected[at - distance] : 0);
        }
        return *this;
    }
    Bytes End()
    {
        StreamWriterEnd(&writer);
        return bytes;
    }
};

// Decodes with a caller-owned work area; the reader reports `claimed` bytes
// for every non-empty read, whatever it placed.
int ExplodeInto(const Bytes& stream, ExplodeState* state, Bytes* out, uint32_t claimed = 0)
{
    struct Io {
        const Bytes* in;
        std::size_t pos;
        Bytes* out;
        uint32_t claimed;
    } io = {&stream, 0, out, claimed};
    auto read = [](unsigned char* buffer, uint32_t* size, void* c) -> uint32_t {
        Io* io = (Io*)c;
        uint32_t n = (uint32_t)std::min<std::size_t>(*size, io->in->size() - io->pos);
        std::memcpy(buffer, io->in->data() + io->pos, n);
        io->pos += n;
        return n != 0 && io->claimed != 0 ? io->claimed : n;
    };
    auto write = [](unsigned char* buffer, uint32_t* size, void* c) -> int {
        ((Io*)c)->out->insert(((Io*)c)->out->end(), buffer, buffer + *size);
        return 1;
    };
    return Explode(read, write, state, &io);
}

void ExpectSameRun(const ExplodeRun& a, const ExplodeRun& b)
{
    EXPECT_EQ(a.result, b.result);
    EXPECT_EQ(a.output, b.output);
    EXPECT_EQ(a.calls, b.calls);
    EXPECT_EQ(a.consumed, b.consumed);
}

TEST(ExplodeHeader, FailuresBeforeDecodingWriteNothing)
{
    struct Case {
        Bytes stream;
        int result;
    } cases[] = {
        {{}, EXPLODE_SHORT_INPUT},
        {{1, 6, 0xFF, 0xFF}, EXPLODE_SHORT_INPUT},
        {{1, 3, 0, 0, 0}, EXPLODE_BAD_DICTIONARY},
        {{0, 7, 0, 0, 0}, EXPLODE_BAD_DICTIONARY},
        {{7, 2, 0, 0, 0}, EXPLODE_BAD_DICTIONARY},  // the dictionary is judged first
        {{2, 6, 0, 0, 0}, EXPLODE_BAD_LITERAL_MODE},
        {{255, 4, 0, 0, 0}, EXPLODE_BAD_LITERAL_MODE},
    };
    for (const Case& c : cases) {
        ExplodeRun run = RunExplode(c.stream);
        EXPECT_EQ(run.result, c.result) << "stream of " << c.stream.size() << " bytes";
        EXPECT_TRUE(WriteSizes(run).empty());
        EXPECT_EQ(ReadCount(run), 1u);
    }
    // Only the first read counts, even when more would follow.
    Bytes stream = Builder(1, 6).Literal('a').Literal('b').End();
    EXPECT_EQ(RunExplode(stream, {4}).result, EXPLODE_SHORT_INPUT);
    EXPECT_EQ(RunExplode(stream, {5}).result, EXPLODE_OK);
}

TEST(ExplodeEnd, EndCodeAloneNeedsOneMoreByte)
{
    Bytes stream = Builder(0, 4).End();
    ASSERT_EQ(stream.size(), 4u);
    EXPECT_EQ(RunExplode(stream).result, EXPLODE_SHORT_INPUT);
    stream.push_back(0);
    ExplodeRun run = RunExplode(stream);
    EXPECT_EQ(run.result, EXPLODE_OK);
    EXPECT_EQ(WriteSizes(run), std::vector<uint32_t>{0});
}

// 8 plain literals of 9 bits and the 16-bit end code fill 11 bytes exactly.
TEST(ExplodeEnd, EndCodeOnTheLastBitIsAcceptedWithoutAnotherRead)
{
    Builder builder(0, 6);
    Bytes stream = builder.Literals({'v', 'e', 'l', 'o', 'r', 'i', 'n', '!'}).End();
    ASSERT_EQ(stream.size(), 13u);
    for (const std::vector<uint32_t>& chunks : {std::vector<uint32_t>{}, {5, 1}, {12, 1}}) {
        ExplodeRun run = RunExplode(stream, chunks);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, builder.expected);
        EXPECT_EQ(run.calls.back(), std::make_pair('w', 8u));
        EXPECT_EQ(run.calls[run.calls.size() - 2].first, 'r');
        EXPECT_NE(run.calls[run.calls.size() - 2].second, 0u) << "asked past the end code";
    }
}

TEST(ExplodeEnd, NothingAfterTheEndCodeIsRequested)
{
    Builder builder(1, 5);
    Bytes data = RandomBytes(10000, 7);
    Bytes stream = builder.Literals(data).Match(300, 905).End();
    std::size_t length = stream.size();
    Bytes followed = stream;
    followed.resize(length + 4096, 0xEE);
    for (uint32_t chunk : {1u, 2u, 3u, 7u, 2048u}) {
        ExplodeRun run = RunExplode(followed, {5, chunk});
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, builder.expected);
        // Whole chunks are handed out, so at most the chunk holding the
        // end code's last byte may reach past it.
        EXPECT_LT(run.consumed, length + chunk) << "chunk " << chunk;
        if (chunk == 1)
            EXPECT_EQ(run.consumed, length);
    }
}

TEST(ExplodeEnd, InputEndingEarlyGivesUnexpectedEndAndKeepsTheDecodedPrefix)
{
    Builder builder(1, 6);
    Bytes text;
    for (int i = 0; i < 120; ++i)
        text.insert(text.end(), {'l', 'i', 'n', 'e', ' ', (unsigned char)('0' + i % 10), '\n'});
    builder.Literals(text).Match(400, 7).Match(3, 800).Literals(RandomBytes(3000, 3));
    Bytes stream = builder.End();
    for (std::size_t cut = 5; cut < stream.size(); ++cut) {
        Bytes part(stream.begin(), stream.begin() + cut);
        ExplodeRun run = RunExplode(part, {5, cut % 3 == 0 ? 2048u : (uint32_t)(cut % 61 + 1)});
        ASSERT_EQ(run.result, EXPLODE_UNEXPECTED_END) << "cut at " << cut;
        ASSERT_LE(run.output.size(), builder.expected.size());
        ASSERT_TRUE(std::equal(run.output.begin(), run.output.end(), builder.expected.begin()))
            << "cut at " << cut;
        if (cut % 97 == 0)
            ExpectSameRun(run, RunReference(part, {5, cut % 3 == 0 ? 2048u : (uint32_t)(cut % 61 + 1)}));
    }
}

TEST(ExplodeMatches, DistanceOneRepeatsTheLastByte)
{
    Builder builder(1, 4);
    Bytes stream = builder.Literal('z').Match(10, 1).Literal('a').Literal('b').Match(518, 1).End();
    ExplodeRun run = RunExplode(stream);
    EXPECT_EQ(run.result, EXPLODE_OK);
    Bytes want(11, 'z');
    want.push_back('a');
    want.insert(want.end(), 519, 'b');
    EXPECT_EQ(run.output, want);
    EXPECT_EQ(builder.expected, want);
}

TEST(ExplodeMatches, ShortDistancesRepeatTheirPattern)
{
    for (uint32_t distance = 1; distance <= 9; ++distance) {
        for (uint32_t length : {2u, 3u, 7u, 8u, 9u, 15u, 16u, 17u, 100u, 518u}) {
            if (length == 2 && distance > 256)
                continue;
            Builder builder(0, 6);
            Bytes stream = builder.Literals(RandomBytes(distance, distance)).Match(length, distance).End();
            ExplodeRun run = RunExplode(stream);
            ASSERT_EQ(run.result, EXPLODE_OK);
            ASSERT_EQ(run.output, builder.expected) << "distance " << distance << " length " << length;
        }
    }
}

TEST(ExplodeMatches, FarthestDistanceOfEachDictionarySize)
{
    for (int dictionaryBits = 4; dictionaryBits <= 6; ++dictionaryBits) {
        uint32_t farthest = 64u << dictionaryBits;
        Builder builder(1, dictionaryBits);
        Bytes stream = builder.Literals(RandomBytes(farthest + 100, dictionaryBits))
                           .Match(3, farthest)
                           .Match(518, farthest)
                           .End();
        ExplodeRun run = RunExplode(stream);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, builder.expected) << "dictionary " << dictionaryBits;
    }
}

// A length-2 match carries 2 low distance bits whatever the dictionary size,
// so 256 is its farthest distance.
TEST(ExplodeMatches, LengthTwoAtDistance256)
{
    for (int dictionaryBits = 4; dictionaryBits <= 6; ++dictionaryBits) {
        Builder builder(0, dictionaryBits);
        Bytes stream = builder.Literals(RandomBytes(300, 11)).Match(2, 256).Match(2, 1).Match(2, 255).End();
        ExplodeRun run = RunExplode(stream);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, builder.expected) << "dictionary " << dictionaryBits;
    }
}

// Distances reaching before the output's start read zeros, even on a work
// area that just decoded another stream.
TEST(ExplodeMatches, HistoryBeforeTheStartIsZero)
{
    Builder first(1, 6);
    Bytes previous = first.Literals(RandomBytes(9000, 5)).End();
    Builder second(1, 6);
    Bytes stream = second.Match(40, 4096).Literal('x').Match(300, 2000).End();
    EXPECT_EQ(second.expected.size(), 341u);

    std::unique_ptr<ExplodeState> state(new ExplodeState);
    std::memset((void*)state.get(), 0x5A, sizeof(ExplodeState));
    Bytes out;
    ASSERT_EQ(ExplodeInto(previous, state.get(), &out), EXPLODE_OK);
    out.clear();
    ASSERT_EQ(ExplodeInto(stream, state.get(), &out), EXPLODE_OK);
    EXPECT_EQ(out, second.expected);
}

TEST(ExplodeBlocks, FullBlocksOf4096ThenOneFinalBlock)
{
    struct Case {
        std::size_t size;
        std::vector<uint32_t> writes;
    } cases[] = {
        {0, {0}},
        {1, {1}},
        {4095, {4095}},
        {4096, {4096, 0}},
        {4097, {4096, 1}},
        {8192, {4096, 4096, 0}},
        {3 * 4096 + 5, {4096, 4096, 4096, 5}},
    };
    for (const Case& c : cases) {
        Builder builder(1, 6);
        builder.Literals(RandomBytes(c.size, 9));
        Bytes stream = builder.End();
        stream.push_back(0);  // keeps the empty stream above 4 bytes
        ExplodeRun run = RunExplode(stream);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(WriteSizes(run), c.writes) << c.size << " bytes";
        EXPECT_EQ(run.output, builder.expected);
    }
}

// A match that starts just below the block end runs into the spare room past
// it; the block still goes out as 4096 bytes and the rest carries over.
TEST(ExplodeBlocks, MatchAcrossTheBlockEnd)
{
    for (std::size_t before : {4095u, 4094u, 4000u, 8191u}) {
        Builder builder(1, 6);
        Bytes stream = builder.Literals(RandomBytes(before, 1)).Match(518, 3000).Match(518, 1).End();
        ExplodeRun run = RunExplode(stream);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, builder.expected);
        std::vector<uint32_t> writes = WriteSizes(run);
        for (std::size_t i = 0; i + 1 < writes.size(); ++i)
            EXPECT_EQ(writes[i], 4096u);
        ExpectSameRun(run, RunReference(stream));
    }
}

// A match ending at the very end of the window, decoded just after a read
// refilled the input: its copy must not spill into the unread input.
TEST(ExplodeBlocks, MatchEndingAtTheWindowEndLeavesTheInputAlone)
{
    Builder builder(0, 6);
    // 4095 plain literals of 9 bits bring the window to 8191; the match
    // starts at stream byte 2 + 36855 / 8, about 4609.
    Bytes stream = builder.Literals(RandomBytes(4095, 8)).Match(518, 4000).Literals(RandomBytes(64, 9)).End();
    for (uint32_t third = 500; third < 530; ++third) {
        ExplodeRun run = RunExplode(stream, {2048, 2048, third, 2048});
        ASSERT_EQ(run.result, EXPLODE_OK);
        ASSERT_EQ(run.output, builder.expected) << "third read of " << third;
    }
}

TEST(ExplodeReads, ShortReadsChangeNothingButTheReads)
{
    Builder builder(1, 5);
    for (int i = 0; i < 40; ++i)
        builder.Literals(RandomBytes(97, i)).Match(2 + i * 13, 1 + i * 37);
    Bytes stream = builder.End();
    ExplodeRun whole = RunExplode(stream);
    ASSERT_EQ(whole.result, EXPLODE_OK);
    ASSERT_EQ(whole.output, builder.expected);
    for (const std::vector<uint32_t>& chunks :
         {std::vector<uint32_t>{5, 1}, {5, 2}, {6, 3, 1, 7}, {8}, {9}, {2047}, {5, 2048}, {100, 1, 1, 1}}) {
        ExplodeRun run = RunExplode(stream, chunks);
        EXPECT_EQ(run.result, EXPLODE_OK);
        EXPECT_EQ(run.output, whole.output);
        EXPECT_EQ(WriteSizes(run), WriteSizes(whole));
        EXPECT_FALSE(run.badReadRequest);
        ExpectSameRun(run, RunReference(stream, chunks));
    }
}

// A reader that claims more than the 2048 bytes it was offered cannot make
// the decoder read past its buffer.
TEST(ExplodeReads, OverstatedReadCountIsHeldToTheBuffer)
{
    Builder builder(1, 6);
    Bytes stream = builder.Literals(RandomBytes(6000, 2)).End();
    std::unique_ptr<ExplodeState> state(new ExplodeState);
    Bytes out;
    EXPECT_EQ(ExplodeInto(stream, state.get(), &out, 100000), EXPLODE_OK);
    EXPECT_EQ(out, builder.expected);
}

// Random bit streams behind valid headers, read in random chunk sizes, must
// give the same calls, output and result in Explode as in the plain decoder.
TEST(ExplodeDifferential, RandomStreamsMatchTheReferenceDecoder)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 400; ++round) {
        Bytes stream = RandomBytes(5 + random() % 6000, random());
        stream[0] = (unsigned char)(random() % 2);
        stream[1] = (unsigned char)(4 + random() % 3);
        std::vector<uint32_t> chunks;
        int kind = round % 4;
        for (int i = 0; kind != 0 && i < 8; ++i)
            chunks.push_back(kind == 1 ? 1 + random() % 16 : 1 + random() % 2048);
        if (!chunks.empty() && round % 8 != 1)
            chunks[0] += 4;  // mostly past the short first read
        ExplodeRun run = RunExplode(stream, chunks);
        ExplodeRun reference = RunReference(stream, chunks);
        ExpectSameRun(run, reference);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

} // namespace
