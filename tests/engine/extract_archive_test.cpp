// The archive extraction on real files under Wine: members with their
// times, progress on the compressed bytes, damaged directories, bad streams,
// members that cannot be written whole, cancel and the missing work area.
#include <gtest/gtest.h>

#include "engine_support.h"
#include "harness.h"
#include "explode.h"
#include "extract_archive.h"
#include "media.h"
#include "setup_state.h"
#include "transfer.h"

namespace {

const std::string kSource = "d:\\";
const std::string kDir = "e:\\corvex\\";
const uint64_t kTime = 125911584000000000ull;  // 1 January 2000

class EngineExtract : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareSetupState(kSource, "e:\\");
        ASSERT_TRUE(MakeDirs("e:\\corvex"));
        lstrcpyA(setupState.failedPath, "unchanged");
    }
    int Extract(const std::string& archive)
    {
        EXPECT_TRUE(PutFile(kSource + "corvex.z", archive));
        return ExtractArchive("corvex.z", kSource.c_str(), kDir.c_str());
    }
};

TEST_F(EngineExtract, UnpacksEveryMemberWithItsTime)
{
    std::string big = Bytes(10000, 3);
    std::vector<Member> members = {
        { "corvex.exe", LiteralStream(big), kTime + 10000000 },
        { "empty.dat", LiteralStream(""), kTime + 20000000 },
        { "dup.txt", LiteralStream("first"), kTime },
        { "dup.txt", LiteralStream("second"), kTime + 30000000 },
    };
    EXPECT_EQ(TRANSFER_OK, Extract(BuildArchive(members)));
    EXPECT_TRUE(GetFile(kDir + "corvex.exe") == big);
    EXPECT_EQ(kTime + 10000000, LastWriteTime(kDir + "corvex.exe"));
    EXPECT_EQ("", GetFile(kDir + "empty.dat"));
    EXPECT_EQ(kTime + 20000000, LastWriteTime(kDir + "empty.dat"));
    EXPECT_EQ("second", GetFile(kDir + "dup.txt"));
    EXPECT_EQ(kTime + 30000000, LastWriteTime(kDir + "dup.txt"));
    EXPECT_FALSE(Exists(kDir + "corvex.z"));
    EXPECT_STREQ("unchanged", setupState.failedPath);
}

TEST_F(EngineExtract, ProgressCountsTheStreamBytesOnly)
{
    std::vector<Member> members = { { "a.dat", LiteralStream(Bytes(40000, 1)), kTime },
                                    { "b.dat", LiteralStream(Bytes(3000, 2)), kTime } };
    uint32_t streams = (uint32_t)(members[0].stream.size() + members[1].stream.size());
    EXPECT_EQ(TRANSFER_OK, Extract(BuildArchive(members)));
    EXPECT_EQ(streams, setupState.bytesDone);
    // Reads are at most 2048 bytes; each may post once at most.
    int reads = (int)((members[0].stream.size() + 2047) / 2048 + (members[1].stream.size() + 2047) / 2048);
    int posts = TakeProgressPosts();
    EXPECT_GE(posts, 3);  // 46,000 counted bytes cross three 15,000-byte steps
    EXPECT_LE(posts, reads);
    EXPECT_EQ(streams / 15000 + 1, setupState.nextPercent);
}

TEST_F(EngineExtract, NoMembersCreatesNothing)
{
    EXPECT_EQ(TRANSFER_OK, Extract(Le32(0) + ArchiveEntryBytes("a.dat", kTime, 33, 40)));
    EXPECT_EQ(TRANSFER_OK, Extract(Le32(0x80000000u) + ArchiveEntryBytes("a.dat", kTime, 33, 40)));
    EXPECT_FALSE(Exists(kDir + "a.dat"));
}

// A damaged directory stops the extraction at the damaged entry: the
// members before it stay, nothing is written for it or any later one.
TEST_F(EngineExtract, DamagedDirectoryIsASourceFailure)
{
    const std::string good = LiteralStream("good");
    auto archiveWithSecondName = [&](const std::string& name) {
        std::vector<Member> members = { { "first.dat", good, kTime },
                                        { name, good, kTime },
                                        { "third.dat", good, kTime } };
        return BuildArchive(members);
    };
    const std::string badNames[] = { "..\\evil.txt", "sub/evil.txt", "c:evil.txt", "..", ".",
                                     "", "nul", "CON.txt", std::string("thirteenchars", 13) };
    for (const std::string& name : badNames) {
        DeleteFileA((kDir + "first.dat").c_str());
        DeleteFileA((kDir + "third.dat").c_str());
        lstrcpyA(setupState.failedPath, "unchanged");
        EXPECT_EQ(TRANSFER_NO_SOURCE, Extract(archiveWithSecondName(name))) << name;
        EXPECT_STREQ("d:\\corvex.z", setupState.failedPath) << name;
        EXPECT_EQ("good", GetFile(kDir + "first.dat")) << name;
        EXPECT_FALSE(Exists(kDir + "third.dat")) << name;
    }
    EXPECT_FALSE(Exists("e:\\evil.txt"));
    EXPECT_FALSE(Exists("e:\\corvex\\sub"));

    // Count cut short, entry cut short, a count promising more entries than
    // the file holds (the one entry's stream is too short to pass for one).
    std::string one = BuildArchive({ { "first.dat", good, kTime } });
    const std::string cutShort[] = {
        one.substr(0, 2), one.substr(0, 4 + 20),
        Le32(2) + one.substr(4, 29) + good,
    };
    for (const std::string& archive : cutShort) {
        DeleteFileA((kDir + "first.dat").c_str());
        lstrcpyA(setupState.failedPath, "unchanged");
        EXPECT_EQ(TRANSFER_NO_SOURCE, Extract(archive)) << archive.size();
        EXPECT_STREQ("d:\\corvex.z", setupState.failedPath);
    }
    EXPECT_EQ("good", GetFile(kDir + "first.dat"));
}

// A stream that does not decode leaves what was decoded, with the recorded
// time, and names the member; the later members are not touched.
TEST_F(EngineExtract, BadStreamsAreReportedAgainstTheMember)
{
    const std::string tail = LiteralStream("later member");
    struct Case { const char* what; std::string stream; std::string decoded; };
    const Case cases[] = {
        { "bad literal mode", std::string("\x07\x04", 2) + LiteralStream("abc").substr(2), "" },
        { "bad dictionary", std::string("\x00\x09", 2) + LiteralStream("abc").substr(2), "" },
        { "four bytes", LiteralStream("").substr(0, 4), "" },
        { "empty", "", "" },
        // Without its end code the stream runs into the next member's bytes;
        // the read stops at the member's end all the same.
        { "no end code", LiteralStreamWithoutEnd("partial data"), "partial" },
    };
    for (const Case& c : cases) {
        DeleteFileA((kDir + "later.dat").c_str());
        std::vector<Member> members = { { "bad.dat", c.stream, kTime + 5 },
                                        { "later.dat", tail, kTime } };
        EXPECT_EQ(TRANSFER_NO_TARGET, Extract(BuildArchive(members))) << c.what;
        EXPECT_STREQ("e:\\corvex\\bad.dat", setupState.failedPath) << c.what;
        // The last literals may be lost with the bytes that never came.
        std::string decoded = GetFile(kDir + "bad.dat");
        EXPECT_EQ(c.decoded, decoded.substr(0, c.decoded.size())) << c.what;
        EXPECT_LE(decoded.size(), c.decoded.empty() ? 0u : 12u) << c.what;
        EXPECT_EQ(kTime + 5, LastWriteTime(kDir + "bad.dat")) << c.what;
        EXPECT_FALSE(Exists(kDir + "later.dat")) << c.what;
    }
}

// A member cut short on a full drive is reported, never passed as placed.
TEST_F(EngineExtract, MemberCutShortOnAFullDiskIsReported)
{
    ASSERT_TRUE(PutFile("x:\\filler.bin", std::string(4100000, 'f')));
    std::vector<Member> members = { { "small.dat", LiteralStream("fits"), kTime },
                                    { "big.dat", LiteralStream(Bytes(300000, 4)), kTime },
                                    { "after.dat", LiteralStream("after"), kTime } };
    EXPECT_TRUE(PutFile(kSource + "corvex.z", BuildArchive(members)));
    EXPECT_EQ(TRANSFER_NO_TARGET, ExtractArchive("corvex.z", kSource.c_str(), "x:\\"));
    EXPECT_STREQ("x:\\big.dat", setupState.failedPath);
    EXPECT_EQ("fits", GetFile("x:\\small.dat"));
    EXPECT_LT(GetFile("x:\\big.dat").size(), 300000u);
    EXPECT_FALSE(Exists("x:\\after.dat"));
}

TEST_F(EngineExtract, UnopenableArchiveAndUncreatableMember)
{
    EXPECT_EQ(TRANSFER_NO_SOURCE, ExtractArchive("corvex.z", kSource.c_str(), kDir.c_str()));
    EXPECT_STREQ("d:\\corvex.z", setupState.failedPath);

    ASSERT_TRUE(PutFile(kDir + "locked.dat", "old"));
    HANDLE inUse = HoldOpen(kDir + "locked.dat");
    std::vector<Member> members = { { "locked.dat", LiteralStream("new"), kTime } };
    EXPECT_EQ(TRANSFER_NO_TARGET, Extract(BuildArchive(members)));
    EXPECT_STREQ("e:\\corvex\\locked.dat", setupState.failedPath);
    CloseHandle(inUse);
    EXPECT_EQ("old", GetFile(kDir + "locked.dat"));
    // The archive was closed on the way out.
    EXPECT_TRUE(DeleteFileA((kSource + "corvex.z").c_str()));
}

TEST_F(EngineExtract, CancelIsTestedBeforeEachMember)
{
    std::vector<Member> members = { { "a.dat", LiteralStream("a"), kTime } };
    setupState.cancelRequested = 1;
    EXPECT_EQ(TRANSFER_CANCELLED, Extract(BuildArchive(members)));
    EXPECT_FALSE(Exists(kDir + "a.dat"));
    EXPECT_EQ(0u, setupState.bytesDone);
}

TEST_F(EngineExtract, NoWorkAreaIsFatalAndLeavesTheMemberEmpty)
{
    std::vector<Member> members = { { "a.dat", LiteralStream("abc"), kTime } };
    FailAllocationsOfSize(sizeof(ExplodeState));
    EXPECT_EQ(TRANSFER_FATAL, Extract(BuildArchive(members)));
    EXPECT_EQ(1, FailedAllocations());
    EXPECT_EQ("", GetFile(kDir + "a.dat"));
    EXPECT_TRUE(DeleteFileA((kDir + "a.dat").c_str()));
    EXPECT_TRUE(DeleteFileA((kSource + "corvex.z").c_str()));
}

}  // namespace
