// ExtractArchive on real files: damaged archives, no work area, cancel, full disk.
#include <gtest/gtest.h>

#include "explode.h"
#include "extract_archive.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"
#include "transfer.h"


static int Extract(const std::string& archive, const char* componentDir)
{
    EXPECT_TRUE(WriteFileBytes("d:\\corvex.z", archive));
    return ExtractArchive("corvex.z", "d:\\", componentDir);
}

// Unpacked beside the archive, so that a member may name the archive itself.
// Whatever goes wrong, the archive stays as it was and no later member is made.
TEST(EngineExtract, DamagedArchives)
{
    PrepareSetupState("d:\\", "d:\\");
    const std::string good = LiteralStream("good"), open = LiteralStream("partial data", false);
    std::string one = BuildArchive({ { "first.dat", good, OLD_TIME } });
    auto second = [&](const std::string& name, const std::string& stream) {
        return BuildArchive({ { "first.dat", good, OLD_TIME }, { name, stream, OLD_TIME }, { "third.dat", good, OLD_TIME } });
    };
    std::string pastEnd = BuildArchive({ { "first.dat", good, OLD_TIME }, { "bad.dat", open + std::string(99, 'x'), OLD_TIME } });
    pastEnd.resize(pastEnd.size() - 99);
    std::string none = second("bad.dat", good), below = none;
    none.replace(0, 4, std::string(4, '\0'));
    below.replace(0, 4, std::string(4, '\xff'));
    const struct { const char* what; std::string archive; int result; const char* failed, *bad; } cases[] = {
        { "no members", none, TRANSFER_OK, "unchanged", "<missing>" },
        { "count below 0", below, TRANSFER_OK, "unchanged", "<missing>" },
        { "count cut short", one.substr(0, 2), TRANSFER_NO_SOURCE, "d:\\corvex.z", "<missing>" },
        { "entry cut short", one.substr(0, 24), TRANSFER_NO_SOURCE, "d:\\corvex.z", "<missing>" },
        { "name out of the folder", second("..\\bad.dat", good), TRANSFER_NO_SOURCE, "d:\\corvex.z", "<missing>" },
        { "empty stream", second("bad.dat", ""), TRANSFER_NO_TARGET, "d:\\bad.dat", "" },
        // Read up to its end only; the last literal waits for a byte that never comes.
        { "no end code", second("bad.dat", open), TRANSFER_NO_TARGET, "d:\\bad.dat", "partial dat" },
        { "member is the archive", second("corvex.z", good), TRANSFER_NO_TARGET, "d:\\corvex.z", nullptr },
        // The medium failed, not the target: the disk prompt, no path.
        { "stream past the file", pastEnd, TRANSFER_NO_SOURCE, "unchanged", "partial dat" },
    };
    for (const auto& c : cases) {
        DeleteFileA("d:\\bad.dat");
        setupState.bytesDone = 0;
        lstrcpyA(setupState.failedPath, "unchanged");
        EXPECT_EQ(c.result, Extract(c.archive, "d:\\")) << c.what;
        EXPECT_STREQ(c.failed, setupState.failedPath) << c.what;
        if (c.bad)
            EXPECT_EQ(c.bad, GetFile("d:\\bad.dat")) << c.what;
        EXPECT_TRUE(GetFile("d:\\corvex.z") == c.archive && !Exists("d:\\third.dat")) << c.what;
    }
    EXPECT_EQ(good.size() + (open.size() + 99) + 99, setupState.bytesDone);  // the last: as asked, before reading
}

// The work area is had, and a cancel looked for, before each member's file
// is made: neither no memory nor a cancel confirmed meanwhile empties an
// earlier file of that name. No source folder reads nothing, not the current
// folder's archive. A full disk (y:) is a write failure.
TEST(EngineExtract, NoWorkAreaCancelAndFullDisk)
{
    PrepareSetupState("d:\\", "e:\\");
    std::string archive = BuildArchive({ { "a.dat", LiteralStream("a"), OLD_TIME }, { "b.dat", LiteralStream("b"), OLD_TIME } });
    ASSERT_TRUE(WriteFileBytes("e:\\a.dat", "old") && SetCurrentDirectoryA("d:\\"));
    for (int action : { ALLOC_FAIL, ALLOC_CANCEL }) {
        OnAllocation(sizeof(ExplodeState), action);
        EXPECT_EQ(action == ALLOC_FAIL ? TRANSFER_FATAL : TRANSFER_CANCELLED, Extract(archive, "e:\\"));
        EXPECT_TRUE(GetFile("e:\\a.dat") == "old" && !Exists("e:\\b.dat")) << action;
    }
    OnAllocation(0, ALLOC_FAIL);
    EXPECT_EQ(TRANSFER_NO_SOURCE, ExtractArchive("corvex.z", "", "e:\\"));
    EXPECT_EQ("old", GetFile("e:\\a.dat"));
    PrepareSetupState("d:\\", "y:\\");
    EXPECT_EQ(TRANSFER_NO_TARGET, Extract(BuildArchive({ { "big.dat", LiteralStream(Bytes(8100000, 4)), OLD_TIME },
                                                         { "b.dat", LiteralStream("b"), OLD_TIME } }), "y:\\"));
    EXPECT_STREQ("y:\\big.dat", setupState.failedPath);
    EXPECT_FALSE(Exists("y:\\b.dat"));
}
