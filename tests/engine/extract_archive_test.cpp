// ExtractArchive on real files: damaged archives, no work area, cancel, full disk.
#include <gtest/gtest.h>

#include "explode.h"
#include "extract_archive.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"
#include "transfer.h"

static const uint64_t kTime = 125911584000000000ull;  // 1 January 2000

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
    std::string one = BuildArchive({ { "first.dat", good, kTime } });
    auto second = [&](const std::string& name, const std::string& stream) {
        return BuildArchive({ { "first.dat", good, kTime }, { name, stream, kTime }, { "third.dat", good, kTime } });
    };
    std::string pastEnd = BuildArchive({ { "first.dat", good, kTime }, { "bad.dat", open + std::string(99, 'x'), kTime } });
    pastEnd.resize(pastEnd.size() - 99);
    const struct { const char* what; std::string archive; int result; const char* failed, *bad; } cases[] = {
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

// The work area is allocated for each member once its file is open; a full
// disk (y:) is a write failure.
TEST(EngineExtract, NoWorkAreaCancelAndFullDisk)
{
    PrepareSetupState("d:\\", "e:\\");
    std::string archive = BuildArchive({ { "a.dat", LiteralStream("a"), kTime }, { "b.dat", LiteralStream("b"), kTime } });
    OnAllocation(sizeof(ExplodeState), ALLOC_FAIL);
    EXPECT_EQ(TRANSFER_FATAL, Extract(archive, "e:\\"));
    EXPECT_TRUE(GetFile("e:\\a.dat") == "" && DeleteFileA("e:\\a.dat"));  // empty, closed again
    OnAllocation(sizeof(ExplodeState), ALLOC_CANCEL);
    EXPECT_EQ(TRANSFER_CANCELLED, Extract(archive, "e:\\"));
    EXPECT_EQ("a", GetFile("e:\\a.dat"));
    EXPECT_FALSE(Exists("e:\\b.dat"));
    PrepareSetupState("d:\\", "y:\\");
    EXPECT_EQ(TRANSFER_NO_TARGET, Extract(BuildArchive({ { "big.dat", LiteralStream(Bytes(8100000, 4)), kTime },
                                                         { "b.dat", LiteralStream("b"), kTime } }), "y:\\"));
    EXPECT_STREQ("y:\\big.dat", setupState.failedPath);
    EXPECT_FALSE(Exists("y:\\b.dat"));
}
