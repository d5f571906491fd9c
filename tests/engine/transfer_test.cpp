// The two transfers on real files: CopySetupFile (chunks, times, progress, failures, cancel) and
// ExtractArchive (damaged archives, no work area, cancel, full disk).
#include <gtest/gtest.h>

#include "copy_file.h"
#include "explode.h"
#include "extract_archive.h"
#include "harness.h"
#include "install_fixtures.h"
#include "setup_state.h"
#include "transfer.h"

// 32001 bytes a percent: each chunk's count posts once. A longer target is cut.
TEST(EngineCopy, CopiesInChunksKeepingTheLastWriteTime) {
    PrepareSetupState("d:\\", "e:\\");
    const struct {
        size_t size;
        int chunks;
    } cases[] = { { 0, 1 }, { 32000, 1 }, { 32001, 2 }, { 96000, 3 } };
    for (const auto& c : cases) {
        std::vector<MediumFile> source = { { "f.z", NoiseBytes(c.size, 1), 1 } };
        ASSERT_TRUE(
            WriteMedium("d:\\", source, 0) && WriteFileBytes("e:\\f.z", NoiseBytes(99999, 2)));
        setupState.bytesDone = setupState.nextPercent = 0;
        setupState.bytesPerPercent = 32001;
        EXPECT_EQ(TRANSFER_OK, CopySetupFile("f.z", "d:\\", "e:\\")) << c.size;
        EXPECT_TRUE(GetFile("e:\\f.z") == source[0].data) << c.size;
        EXPECT_EQ(LastWriteTime("d:\\f.z"), LastWriteTime("e:\\f.z")) << c.size;
        EXPECT_EQ(c.size, setupState.bytesDone);
        EXPECT_EQ(c.chunks, TakeProgressPosts()) << c.size;
    }
}

// An earlier file of the target's name stays as it was, bytes and time, while the source is
// missing, no full folder, unreadable or without a buffer, and when a cancel comes while the source
// is being opened: the allocation comes after the open, and the hook sets the flag there. Relative
// folders would read d:\a.z, the current folder's. y: fills up.
TEST(EngineCopy, FailuresAndCancel) {
    // clang-format off
    const struct { const char* name; const char* from; uint32_t allocation;
        int action, result; } rows[] = {
        { "missing source", "d:\\none\\", 0, 0, TRANSFER_NO_SOURCE },
        { "no folder", "", 0, 0, TRANSFER_NO_SOURCE },
        { "drive-relative folder", "d:", 0, 0, TRANSFER_NO_SOURCE },
        { "rooted folder", "\\", 0, 0, TRANSFER_NO_SOURCE },
        { "relative folder", ".\\", 0, 0, TRANSFER_NO_SOURCE },
        { "no memory", "d:\\", 32001, ALLOC_FAIL, TRANSFER_FATAL },
        { "cancel while the source opens", "d:\\", 32001, ALLOC_CANCEL, TRANSFER_CANCELLED },
    };
    // clang-format on
    ASSERT_TRUE(WriteFileBytes("d:\\a.z", NoiseBytes(5000, 1)) && SetCurrentDirectoryA("d:\\"));
    for (const auto& row : rows) {
        PrepareSetupState("d:\\", "e:\\");
        ASSERT_TRUE(WriteMedium("e:\\", { { "a.z", "old", 1 } }, 0));
        OnAllocation(row.allocation, row.action);
        EXPECT_EQ(row.result, CopySetupFile("a.z", row.from, "e:\\")) << row.name;
        EXPECT_TRUE(GetFile("e:\\a.z") == "old" && LastWriteTime("e:\\a.z") == OLD_TIME)
            << row.name;
        EXPECT_EQ(0u, setupState.bytesDone) << row.name;
    }
    PrepareSetupState("d:\\", "e:\\");
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("b.z", "d:\\", "e:\\"));
    EXPECT_STREQ("d:\\b.z", setupState.failedPath);
    EXPECT_FALSE(PathExists("e:\\b.z"));  // a missing source makes no target
    lstrcpyA(setupState.failedPath, "unchanged");
    // The kernel says 4096 bytes and gives a few: no buffer bytes may pad them.
    EXPECT_EQ(
        TRANSFER_NO_SOURCE, CopySetupFile("online", "z:\\sys\\devices\\system\\cpu\\", "e:\\"));
    EXPECT_STREQ("unchanged", setupState.failedPath);
    EXPECT_EQ("", GetFile("e:\\online"));
    ASSERT_TRUE(WriteFileBytes("d:\\big.z", NoiseBytes(8100000, 3)));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("big.z", "d:\\", "y:\\"));
    EXPECT_STREQ("y:\\big.z", setupState.failedPath);
    EXPECT_LT(GetFile("y:\\big.z").size(), 8100000u);
}

static int Extract(const std::string& archive, const char* componentDir) {
    EXPECT_TRUE(WriteFileBytes("d:\\corvex.z", archive));
    return ExtractArchive("corvex.z", "d:\\", componentDir);
}

// Unpacked beside the archive, so that a member may name the archive itself.
// Whatever goes wrong, the archive stays as it was and no later member is made.
TEST(EngineExtract, DamagedArchives) {
    PrepareSetupState("d:\\", "d:\\");
    const std::string good = LiteralStream("good"), open = LiteralStream("partial data", false);
    std::string one = BuildArchive({ { "first.dat", good, OLD_TIME } });
    auto second = [&](const std::string& name, const std::string& stream) {
        return BuildArchive({ { "first.dat", good, OLD_TIME }, { name, stream, OLD_TIME },
            { "third.dat", good, OLD_TIME } });
    };
    std::string pastEnd = BuildArchive(
        { { "first.dat", good, OLD_TIME }, { "bad.dat", open + std::string(99, 'x'), OLD_TIME } });
    pastEnd.resize(pastEnd.size() - 99);
    std::string below = second("bad.dat", good);
    below.replace(0, 4, std::string(4, '\xff'));
    // clang-format off
    const struct { const char* what; std::string archive; int result;
        const char* failed, *bad; } cases[] = {
        { "count below 0", below, TRANSFER_OK, "unchanged", "<missing>" },
        { "count cut short", one.substr(0, 2), TRANSFER_NO_SOURCE, "d:\\corvex.z", "<missing>" },
        { "entry cut short", one.substr(0, 24), TRANSFER_NO_SOURCE, "d:\\corvex.z", "<missing>" },
        { "name out of the folder", second("..\\bad.dat", good), TRANSFER_NO_SOURCE, "d:\\corvex.z",
          "<missing>" },
        { "empty stream", second("bad.dat", ""), TRANSFER_NO_TARGET, "d:\\bad.dat", "" },
        // Read up to its end only; the last literal waits for a byte that never comes.
        { "no end code", second("bad.dat", open), TRANSFER_NO_TARGET, "d:\\bad.dat",
          "partial dat" },
        { "member is the archive", second("corvex.z", good), TRANSFER_NO_TARGET, "d:\\corvex.z",
          nullptr },
        // The medium failed, not the target: the disk prompt, no path.
        { "stream past the file", pastEnd, TRANSFER_NO_SOURCE, "unchanged", "partial dat" },
    };
    // clang-format on
    for (const auto& c : cases) {
        DeleteFileA("d:\\bad.dat");
        setupState.bytesDone = 0;
        lstrcpyA(setupState.failedPath, "unchanged");
        EXPECT_EQ(c.result, Extract(c.archive, "d:\\")) << c.what;
        EXPECT_STREQ(c.failed, setupState.failedPath) << c.what;
        if (c.bad) EXPECT_EQ(c.bad, GetFile("d:\\bad.dat")) << c.what;
        EXPECT_TRUE(GetFile("d:\\corvex.z") == c.archive && !PathExists("d:\\third.dat")) << c.what;
    }
    EXPECT_EQ(good.size() + (open.size() + 99) + 99,
        setupState.bytesDone);  // the last: as asked, before reading
}

// The work area is had, and a cancel looked for, before each member's file is made: neither no
// memory nor a cancel confirmed meanwhile empties an earlier file of that name. No source folder
// reads nothing, not the current folder's archive. A full disk (y:) is a write failure.
TEST(EngineExtract, NoWorkAreaCancelAndFullDisk) {
    PrepareSetupState("d:\\", "e:\\");
    std::string archive = BuildArchive(
        { { "a.dat", LiteralStream("a"), OLD_TIME }, { "b.dat", LiteralStream("b"), OLD_TIME } });
    ASSERT_TRUE(WriteFileBytes("e:\\a.dat", "old") && SetCurrentDirectoryA("d:\\"));
    for (int action : { ALLOC_FAIL, ALLOC_CANCEL }) {
        OnAllocation(sizeof(ExplodeState), action);
        EXPECT_EQ(
            action == ALLOC_FAIL ? TRANSFER_FATAL : TRANSFER_CANCELLED, Extract(archive, "e:\\"));
        EXPECT_TRUE(GetFile("e:\\a.dat") == "old" && !PathExists("e:\\b.dat")) << action;
    }
    OnAllocation(0, ALLOC_FAIL);
    EXPECT_EQ(TRANSFER_NO_SOURCE, ExtractArchive("corvex.z", "", "e:\\"));
    EXPECT_EQ("old", GetFile("e:\\a.dat"));
    PrepareSetupState("d:\\", "y:\\");
    EXPECT_EQ(TRANSFER_NO_TARGET,
        Extract(BuildArchive({ { "big.dat", LiteralStream(NoiseBytes(8100000, 4)), OLD_TIME },
                    { "b.dat", LiteralStream("b"), OLD_TIME } }),
            "y:\\"));
    EXPECT_STREQ("y:\\big.dat", setupState.failedPath);
    EXPECT_FALSE(PathExists("y:\\b.dat"));
}
