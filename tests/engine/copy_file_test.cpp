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

// Buffer and first cancel test come once both files are open. y: fills up.
TEST(EngineCopy, FailuresAndCancel)
{
    PrepareSetupState("d:\\", "e:\\");
    lstrcpyA(setupState.failedPath, "unchanged");
    // The kernel says 4096 bytes and gives a few: no buffer bytes may pad them.
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("online", "z:\\sys\\devices\\system\\cpu\\", "e:\\"));
    EXPECT_STREQ("unchanged", setupState.failedPath);
    EXPECT_EQ("", GetFile("e:\\online"));
    ASSERT_TRUE(WriteFileBytes("d:\\a.z", Bytes(5000, 1)) && WriteFileBytes("e:\\a.z", "old"));
    OnAllocation(32001, ALLOC_FAIL);
    EXPECT_EQ(TRANSFER_FATAL, CopySetupFile("a.z", "d:\\", "e:\\"));
    EXPECT_TRUE(DeleteFileA("e:\\a.z"));  // closed again
    OnAllocation(32001, ALLOC_CANCEL);
    EXPECT_EQ(TRANSFER_CANCELLED, CopySetupFile("a.z", "d:\\", "e:\\"));
    EXPECT_TRUE(GetFile("e:\\a.z") == "" && setupState.bytesDone == 0 && DeleteFileA("d:\\a.z"));
    PrepareSetupState("d:\\", "e:\\");
    ASSERT_TRUE(WriteFileBytes("d:\\big.z", Bytes(8100000, 3)));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("big.z", "d:\\", "y:\\"));
    EXPECT_STREQ("y:\\big.z", setupState.failedPath);
    EXPECT_LT(GetFile("y:\\big.z").size(), 8100000u);
}
