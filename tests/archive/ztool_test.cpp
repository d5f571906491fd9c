// ztool as a provider uses it: exit statuses, archives built, listed and
// extracted, damaged input refused, nothing written outside the target.
#include "archive_format.h"
#include "encoder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;
namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

class Ztool : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override
    {
        char name[] = "/tmp/ztool-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string& name) const { return (dir / name).string(); }

    Result Run(const std::string& args) const
    {
        std::string out = P("stdout.txt"), err = P("stderr.txt");
        std::string command = std::string(ZTOOL_PATH) + " " + args + " >" + out + " 2>" + err;
        int raw = std::system(command.c_str());
        Result r = {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
        return r;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void Write(const std::string& path, const std::string& data)
    {
        std::ofstream(path, std::ios::binary) << data;
    }

    static void Write(const std::string& path, const Bytes& data)
    {
        std::ofstream(path, std::ios::binary).write((const char*)data.data(), data.size());
    }

    static void SetTime(const std::string& path, time_t seconds)
    {
        struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    static time_t Time(const std::string& path)
    {
        struct stat info;
        return stat(path.c_str(), &info) == 0 ? info.st_mtime : -1;
    }
};

std::string Text(std::size_t size)
{
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += "Velorin component archive, line " + std::to_string(i % 50) + "\n";
    text.resize(size);
    return text;
}

Bytes Stream(const std::string& data)
{
    Bytes stream;
    EncodeStream((const unsigned char*)data.data(), data.size(), 1, 6, &stream);
    return stream;
}

// An archive of the given names, each member's stream as given.
Bytes Archive(const std::vector<std::pair<std::string, Bytes>>& members)
{
    Bytes bytes(4 + 29 * members.size());
    ArchiveFormatCount((int32_t)members.size(), bytes.data());
    for (std::size_t i = 0; i < members.size(); ++i) {
        unsigned char* at = bytes.data() + 4 + 29 * i;
        std::memset(at, 0, 29);
        std::memcpy(at, members[i].first.data(), std::min<std::size_t>(members[i].first.size(), 13));
        uint32_t start = (uint32_t)bytes.size(), end = start + (uint32_t)members[i].second.size();
        for (int b = 0; b < 4; ++b) {
            at[21 + b] = (unsigned char)(start >> (8 * b));
            at[25 + b] = (unsigned char)(end >> (8 * b));
        }
        bytes.insert(bytes.end(), members[i].second.begin(), members[i].second.end());
    }
    return bytes;
}

TEST_F(Ztool, ExplodeExitsWithTheDecoderResult)
{
    std::string text = Text(20000);
    Bytes good = Stream(text);
    Write(P("good.z"), good);
    Write(P("dict.z"), Bytes{1, 9, 0, 0, 0, 0});
    Write(P("mode.z"), Bytes{3, 6, 0, 0, 0, 0});
    Write(P("short.z"), Bytes{1, 6, 0, 0});
    Write(P("cut.z"), Bytes(good.begin(), good.begin() + good.size() / 2));

    EXPECT_EQ(Run("explode " + P("good.z") + " " + P("good.out")).status, 0);
    EXPECT_EQ(Read(P("good.out")), text);
    EXPECT_EQ(Run("explode " + P("dict.z") + " " + P("o")).status, 1);
    EXPECT_EQ(Run("explode " + P("mode.z") + " " + P("o")).status, 2);
    EXPECT_EQ(Run("explode " + P("short.z") + " " + P("o")).status, 3);
    EXPECT_EQ(Read(P("o")), "");
    // What was decoded before the input ran out is kept.
    EXPECT_EQ(Run("explode " + P("cut.z") + " " + P("cut.out")).status, 4);
    std::string partial = Read(P("cut.out"));
    EXPECT_GT(partial.size(), 0u);
    EXPECT_EQ(partial, text.substr(0, partial.size()));
}

TEST_F(Ztool, CompressHonoursItsOptions)
{
    std::string text = Text(50000);
    Write(P("in.txt"), text);
    for (const char* options : {"", "--literal-mode 0 --dict 4", "--dict 5 --literal-mode 1"}) {
        ASSERT_EQ(Run(std::string("compress ") + options + " " + P("in.txt") + " " + P("in.z")).status, 0);
        std::string stream = Read(P("in.z"));
        ASSERT_GE(stream.size(), 2u);
        std::string want = options[0] == 0 ? "\x01\x06" : options[2] == 'l' ? std::string("\x00\x04", 2) : "\x01\x05";
        EXPECT_EQ(stream.substr(0, 2), want) << options;
        EXPECT_LT(stream.size(), text.size() / 4);
        ASSERT_EQ(Run("explode " + P("in.z") + " " + P("back.txt")).status, 0);
        EXPECT_EQ(Read(P("back.txt")), text);
    }
}

TEST_F(Ztool, BadCommandLinesPrintUsage)
{
    for (const char* args : {"", "frobnicate", "explode onlyone", "list", "compress --dict 7 a b",
                             "compress --literal-mode 2 a b", "pack ARCHIVE", "extract a"}) {
        Result r = Run(args);
        EXPECT_EQ(r.status, 64) << args;
        EXPECT_NE(r.err.find("usage: ztool"), std::string::npos) << args;
    }
    Result missing = Run("explode " + P("missing.z") + " " + P("o"));
    EXPECT_EQ(missing.status, 66);
    EXPECT_NE(missing.err.find("missing.z"), std::string::npos);
}

TEST_F(Ztool, PackListExtractKeepContentAndTimes)
{
    fs::create_directory(P("src"));
    std::string text = Text(70000), small = "x";
    Write(P("src/README.TXT"), text);
    Write(P("src/ONE.BIN"), small);
    Write(P("src/EMPTY"), std::string());
    SetTime(P("src/README.TXT"), 820454400);  // 1996-01-01T00:00:00Z
    SetTime(P("src/ONE.BIN"), 946684799);     // 1999-12-31T23:59:59Z
    SetTime(P("src/EMPTY"), 0);               // 1970-01-01T00:00:00Z
    ASSERT_EQ(Run("pack --dict 5 " + P("a.z") + " " + P("src/README.TXT") + " " + P("src/ONE.BIN") +
                  " " + P("src/EMPTY")).status, 0);

    Result list = Run("list " + P("a.z"));
    ASSERT_EQ(list.status, 0) << list.err;
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; (next = list.out.find('\n', at)) != std::string::npos; at = next + 1)
        lines.push_back(list.out.substr(at, next - at));
    ASSERT_EQ(lines.size(), 3u);
    char name[32], time[64];
    unsigned long streamSize, unpacked;
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "%31s %lu %lu %63s", name, &streamSize, &unpacked, time), 4);
    EXPECT_STREQ(name, "README.TXT");
    EXPECT_EQ(unpacked, text.size());
    EXPECT_LT(streamSize, text.size() / 4);
    EXPECT_STREQ(time, "1996-01-01T00:00:00Z");
    ASSERT_EQ(std::sscanf(lines[1].c_str(), "%31s %lu %lu %63s", name, &streamSize, &unpacked, time), 4);
    EXPECT_STREQ(time, "1999-12-31T23:59:59Z");
    EXPECT_EQ(unpacked, 1u);
    ASSERT_EQ(std::sscanf(lines[2].c_str(), "%31s %lu %lu %63s", name, &streamSize, &unpacked, time), 4);
    EXPECT_STREQ(name, "EMPTY");
    EXPECT_EQ(streamSize, 5u);  // header, end code and the padding byte
    EXPECT_EQ(unpacked, 0u);
    EXPECT_STREQ(time, "1970-01-01T00:00:00Z");

    ASSERT_EQ(Run("extract " + P("a.z") + " " + P("out")).status, 0);
    EXPECT_EQ(Read(P("out/README.TXT")), text);
    EXPECT_EQ(Read(P("out/ONE.BIN")), small);
    EXPECT_TRUE(fs::exists(P("out/EMPTY")));
    EXPECT_EQ(Time(P("out/README.TXT")), 820454400);
    EXPECT_EQ(Time(P("out/ONE.BIN")), 946684799);
    EXPECT_EQ(Time(P("out/EMPTY")), 0);
}

TEST_F(Ztool, LaterMemberOfTheSameNameWins)
{
    Write(P("a.z"), Archive({{"SAME.TXT", Stream("first, and longer")}, {"SAME.TXT", Stream("second")}}));
    ASSERT_EQ(Run("extract " + P("a.z") + " " + P("out")).status, 0);
    EXPECT_EQ(Read(P("out/SAME.TXT")), "second");
}

TEST_F(Ztool, PackRefusesNamesThatAreNotShortNames)
{
    Write(P("longname.text"), "x");
    Result r = Run("pack " + P("a.z") + " " + P("longname.text"));
    EXPECT_EQ(r.status, 65);
    EXPECT_NE(r.err.find("longname.text"), std::string::npos);
    EXPECT_FALSE(fs::exists(P("a.z")));
}

TEST_F(Ztool, DamagedArchivesAreRefusedBeforeAnythingIsWritten)
{
    Bytes good = Archive({{"A.TXT", Stream("alpha")}, {"B.TXT", Stream("beta")}});
    struct Case {
        const char* label;
        Bytes bytes;
        const char* says;
    } cases[] = {
        {"count cut", Bytes(good.begin(), good.begin() + 3), "member count"},
        {"entry cut", Bytes(good.begin(), good.begin() + 4 + 29 + 20), "entry 1 of 2"},
        {"parent name", Archive({{"A.TXT", Stream("a")}, {"..", Stream("b")}}), "entry 1 of 2"},
        {"slash name", Archive({{"x/../../EVIL", Stream("b")}}), "entry 0 of 1"},
        {"unterminated", Archive({{"ABCDEFGHIJKLM", Stream("b")}}), "entry 0 of 1"},
        {"device", Archive({{"CON", Stream("b")}}), "unsafe name"},
    };
    for (const Case& c : cases) {
        Write(P("bad.z"), c.bytes);
        fs::remove_all(P("out"));
        Result r = Run("extract " + P("bad.z") + " " + P("out"));
        EXPECT_EQ(r.status, 65) << c.label;
        EXPECT_NE(r.err.find("bad.z"), std::string::npos) << c.label;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.label << ": " << r.err;
        EXPECT_TRUE(!fs::exists(P("out")) || fs::is_empty(P("out"))) << c.label;
        EXPECT_EQ(Run("list " + P("bad.z")).status, 65) << c.label;
    }
    EXPECT_FALSE(fs::exists(dir.parent_path() / "EVIL"));
}

TEST_F(Ztool, MemberThatDoesNotDecodeStaysAsFarAsItGot)
{
    std::string text = Text(30000);
    Bytes stream = Stream(text);
    stream.resize(stream.size() / 2);
    Write(P("a.z"), Archive({{"OK.TXT", Stream("fine")}, {"CUT.TXT", stream}, {"NEVER.TXT", Stream("x")}}));
    Result r = Run("extract " + P("a.z") + " " + P("out"));
    EXPECT_EQ(r.status, 65);
    EXPECT_NE(r.err.find("CUT.TXT"), std::string::npos);
    EXPECT_EQ(Read(P("out/OK.TXT")), "fine");
    std::string partial = Read(P("out/CUT.TXT"));
    EXPECT_EQ(partial, text.substr(0, partial.size()));
    EXPECT_FALSE(fs::exists(P("out/NEVER.TXT")));

    Result list = Run("list " + P("a.z"));
    EXPECT_EQ(list.status, 65);
    EXPECT_NE(list.out.find("damaged"), std::string::npos);
    EXPECT_NE(list.out.find("NEVER.TXT"), std::string::npos);
}

// A member's stream is bounded by its end offset, so one that lacks its end
// code fails even when further archive bytes follow.
TEST_F(Ztool, MemberReadsStopAtTheEndOffset)
{
    Bytes whole = Stream(Text(3000));
    Bytes archive = Archive({{"A.TXT", whole}});
    uint32_t end = (uint32_t)archive.size() - 3;  // cuts the end code off
    for (int b = 0; b < 4; ++b)
        archive[4 + 25 + b] = (unsigned char)(end >> (8 * b));
    Write(P("a.z"), archive);
    Result r = Run("extract " + P("a.z") + " " + P("out"));
    EXPECT_EQ(r.status, 65);
    EXPECT_NE(r.err.find("ends before its end-of-stream code"), std::string::npos) << r.err;
}

TEST_F(Ztool, ExtractionReplacesLinksInsteadOfWritingThroughThem)
{
    fs::create_directory(P("out"));
    Write(P("outside.txt"), "untouched");
    fs::create_symlink(P("outside.txt"), P("out/A.TXT"));
    fs::create_hard_link(P("outside.txt"), P("out/B.TXT"));
    Write(P("a.z"), Archive({{"A.TXT", Stream("new a")}, {"B.TXT", Stream("new b")}}));
    ASSERT_EQ(Run("extract " + P("a.z") + " " + P("out")).status, 0);
    EXPECT_EQ(Read(P("outside.txt")), "untouched");
    EXPECT_FALSE(fs::is_symlink(P("out/A.TXT")));
    EXPECT_EQ(Read(P("out/A.TXT")), "new a");
    EXPECT_EQ(Read(P("out/B.TXT")), "new b");
}

} // namespace
