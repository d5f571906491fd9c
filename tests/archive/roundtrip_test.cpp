// Encoder and decoder together: every size class, both literal modes and all
// dictionary sizes give back the input, in 4096-byte blocks.
#include "encoder.h"
#include "explode.h"
#include "explode_harness.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

namespace {

// Word salad with line ends: compresses the way prose and source text do.
Bytes TextLike(std::size_t size, unsigned seed)
{
    static const char* const words[] = {
        "the", "setup", "program", "copies", "component", "files", "into", "a", "directory",
        "and", "unpacks", "each", "member", "with", "its", "last-write", "time", "Velorin",
        "(int)", "return", "0;", "{", "}", "if", "while", "archive", "stream", "window"};
    std::mt19937 random(seed);
    Bytes data;
    while (data.size() < size) {
        std::string word = words[random() % (sizeof(words) / sizeof(words[0]))];
        data.insert(data.end(), word.begin(), word.end());
        data.push_back(random() % 9 == 0 ? '\n' : ' ');
    }
    data.resize(size);
    return data;
}

// Runs of one byte, short repeats and noise, as in executables.
Bytes BinaryLike(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes data;
    while (data.size() < size) {
        switch (random() % 3) {
        case 0:
            data.insert(data.end(), random() % 300, (unsigned char)(random() % 4 == 0 ? 0xFF : 0));
            break;
        case 1:
            for (int i = random() % 64; i > 0; --i)
                data.push_back((unsigned char)random());
            break;
        default:
            if (data.size() > 10) {
                std::size_t from = random() % data.size();
                std::size_t length = std::min<std::size_t>(random() % 40 + 2, data.size() - from);
                for (std::size_t i = 0; i < length; ++i)
                    data.push_back(data[from + i]);
            }
        }
    }
    data.resize(size);
    return data;
}

std::vector<uint32_t> ExpectedWrites(std::size_t size)
{
    std::vector<uint32_t> writes(size / 4096, 4096);
    writes.push_back((uint32_t)(size % 4096));
    return writes;
}

Bytes Encode(const Bytes& data, int literalMode, int dictionaryBits)
{
    Bytes stream;
    EXPECT_EQ(EncodeStream(data.data(), data.size(), literalMode, dictionaryBits, &stream), 1);
    return stream;
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RoundTrip, AllSizeClassesComeBackInBlocks)
{
    const int literalMode = std::get<0>(GetParam());
    const int dictionaryBits = std::get<1>(GetParam());
    for (std::size_t size : {0u, 1u, 2u, 3u, 4095u, 4096u, 4097u, 8192u, 100000u}) {
        for (int kind = 0; kind < 3; ++kind) {
            Bytes data = kind == 0   ? TextLike(size, (unsigned)size)
                         : kind == 1 ? BinaryLike(size, (unsigned)size)
                                     : RandomBytes(size, (unsigned)size);
            Bytes stream = Encode(data, literalMode, dictionaryBits);
            ASSERT_GE(stream.size(), 5u);
            EXPECT_EQ(stream[0], literalMode);
            EXPECT_EQ(stream[1], dictionaryBits);
            std::vector<uint32_t> chunks;
            if (size == 4097)
                chunks = {5, 1, 2, 3, 2048};
            ExplodeRun run = RunExplode(stream, chunks);
            ASSERT_EQ(run.result, EXPLODE_OK) << "size " << size << " kind " << kind;
            ASSERT_EQ(run.output, data) << "size " << size << " kind " << kind;
            EXPECT_EQ(WriteSizes(run), ExpectedWrites(size));
            if (size <= 8192) {
                ExplodeRun reference = RunReference(stream, chunks);
                EXPECT_EQ(reference.calls, run.calls) << "size " << size << " kind " << kind;
            }
        }
    }
}

TEST_P(RoundTrip, SeveralMegabytes)
{
    const int literalMode = std::get<0>(GetParam());
    const int dictionaryBits = std::get<1>(GetParam());
    Bytes data = TextLike(2u << 20, 1);
    Bytes binary = BinaryLike(1u << 20, 2);
    data.insert(data.end(), binary.begin(), binary.end());
    Bytes stream = Encode(data, literalMode, dictionaryBits);
    ExplodeRun run = RunExplode(stream);
    ASSERT_EQ(run.result, EXPLODE_OK);
    ASSERT_TRUE(run.output == data);
    EXPECT_EQ(WriteSizes(run), ExpectedWrites(data.size()));
    // Real matching: word salad over a small vocabulary shrinks well.
    EXPECT_LT(stream.size(), data.size() / 3);
}

INSTANTIATE_TEST_SUITE_P(ModesAndDictionaries, RoundTrip,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Values(4, 5, 6)));

TEST(Encoder, RefusesModesOutsideTheFormat)
{
    Bytes stream;
    const unsigned char data[1] = {'x'};
    EXPECT_EQ(EncodeStream(data, 1, 2, 6, &stream), 0);
    EXPECT_EQ(EncodeStream(data, 1, 1, 3, &stream), 0);
    EXPECT_EQ(EncodeStream(data, 1, 1, 7, &stream), 0);
    EXPECT_TRUE(stream.empty());
}

// The parse weighs items by their real cost: the literal code pays off on
// text, plain literals on noise, which never grows by more than 9 bits a byte.
TEST(Encoder, ModesAndWindowsBehaveAsTheirCodesSuggest)
{
    const char letters[] = "eeeeeeetttttaaaaooooiiiinnnnsssshhhrrrddllcumwfgypbvk     \n";
    std::mt19937 pick(4);
    Bytes text(200000);
    for (unsigned char& c : text)
        c = (unsigned char)letters[pick() % (sizeof(letters) - 1)];
    EXPECT_LT(Encode(text, 1, 6).size(), Encode(text, 0, 6).size());
    Bytes random = RandomBytes(50000, 4);
    EXPECT_LT(Encode(random, 0, 6).size(), Encode(random, 1, 6).size());
    EXPECT_LE(Encode(random, 0, 6).size(), 50000u * 9 / 8 + 8);
}

} // namespace
