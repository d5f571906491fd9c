// CopySetupFile on real files: chunks, times, progress, failures, cancel.
#include <gtest/gtest.h>

#include "copy_file.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"
#include "transfer.h"

// 32001 bytes a percent: each chunk's count posts once. A longer target is cut.
TEST(EngineCopy, CopiesInChunksKeepingTheLastWriteTime)
{
    PrepareSetupState("d:\\", "e:\\");
    const struct { size_t size; int chunks; } cases[] = { { 0, 1 }, { 32000, 1 }, { 32001, 2 }, { 96000, 3 } };
    for (const auto& c : cases) {
        std::vector<MediumFile> source = { { "f.z", Bytes(c.size, 1), 1 } };
        ASSERT_TRUE(WriteMedium("d:\\", source, 0) && WriteFileBytes("e:\\f.z", Bytes(99999, 2)));
        setupState.bytesDone = setupState.nextPercent = 0;
        setupState.bytesPerPercent = 32001;
        EXPECT_EQ(TRANSFER_OK, CopySetupFile("f.z", "d:\\", "e:\\")) << c.size;
        EXPECT_TRUE(GetFile("e:\\f.z") == source[0].data) << c.size;
        EXPECT_EQ(LastWriteTime("d:\\f.z"), LastWriteTime("e:\\f.z")) << c.size;
        EXPECT_EQ(c.size, setupState.bytesDone);
        EXPECT_EQ(c.chunks, TakeProgressPosts()) << c.size;
    }
}

// An earlier file of the target's name stays as it was, bytes and time, while
// the source is missing, no full folder, unreadable or without a buffer, and
// when a cancel comes while the source is being opened: the allocation comes
// after the open, and the hook sets the flag there. Relative folders would
// read d:\a.z, the current folder's. y: fills up.
TEST(EngineCopy, FailuresAndCancel)
{
    const struct { const char* name; const char* from; uint32_t allocation; int action, result; } rows[] = {
        { "missing source", "d:\\none\\", 0, 0, TRANSFER_NO_SOURCE },
        { "no folder", "", 0, 0, TRANSFER_NO_SOURCE }, { "drive-relative folder", "d:", 0, 0, TRANSFER_NO_SOURCE },
        { "rooted folder", "\\", 0, 0, TRANSFER_NO_SOURCE }, { "relative folder", ".\\", 0, 0, TRANSFER_NO_SOURCE },
        { "no memory", "d:\\", 32001, ALLOC_FAIL, TRANSFER_FATAL },
        { "cancel while the source opens", "d:\\", 32001, ALLOC_CANCEL, TRANSFER_CANCELLED },
    };
    ASSERT_TRUE(WriteFileBytes("d:\\a.z", Bytes(5000, 1)) && SetCurrentDirectoryA("d:\\"));
    for (const auto& row : rows) {
        PrepareSetupState("d:\\", "e:\\");
        ASSERT_TRUE(WriteMedium("e:\\", { { "a.z", "old", 1 } }, 0));
        OnAllocation(row.allocation, row.action);
        EXPECT_EQ(row.result, CopySetupFile("a.z", row.from, "e:\\")) << row.name;
        EXPECT_TRUE(GetFile("e:\\a.z") == "old" && LastWriteTime("e:\\a.z") == OLD_TIME) << row.name;
        EXPECT_EQ(0u, setupState.bytesDone) << row.name;
    }
    PrepareSetupState("d:\\", "e:\\");
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("b.z", "d:\\", "e:\\"));
    EXPECT_STREQ("d:\\b.z", setupState.failedPath);
    EXPECT_FALSE(Exists("e:\\b.z"));  // a missing source makes no target
    lstrcpyA(setupState.failedPath, "unchanged");
    // The kernel says 4096 bytes and gives a few: no buffer bytes may pad them.
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("online", "z:\\sys\\devices\\system\\cpu\\", "e:\\"));
    EXPECT_STREQ("unchanged", setupState.failedPath);
    EXPECT_EQ("", GetFile("e:\\online"));
    ASSERT_TRUE(WriteFileBytes("d:\\big.z", Bytes(8100000, 3)));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("big.z", "d:\\", "y:\\"));
    EXPECT_STREQ("y:\\big.z", setupState.failedPath);
    EXPECT_LT(GetFile("y:\\big.z").size(), 8100000u);
}
