// The plain copy on real files under Wine: chunking and progress, kept
// times, every failure with its failedPath, cancel, and the mends (short
// reads, full disks, paths that do not fit).
#include <gtest/gtest.h>

#include "copy_file.h"
#include "engine_support.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"
#include "transfer.h"

namespace {

const std::string kFrom = "d:\\";
const std::string kTo = "e:\\target\\";

class EngineCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareSetupState(kFrom, "e:\\target");
        ASSERT_TRUE(MakeDirs("e:\\target"));
    }
};

TEST_F(EngineCopy, CopiesInChunksKeepingTheLastWriteTime)
{
    struct Case { const char* name; size_t size; int chunks; };
    const Case cases[] = { { "empty.z", 0, 1 }, { "one.z", 32000, 1 },
                           { "over.z", 32001, 2 }, { "three.z", 96000, 3 } };
    uint32_t counted = 0;
    for (const Case& c : cases) {
        std::string data = Bytes(c.size, (unsigned)c.size);
        ASSERT_TRUE(PutFile(kFrom + c.name, data));
        ASSERT_TRUE(SetLastWriteTime(kFrom + c.name, 125911584000000000ull));
        // An existing, longer target is truncated, not overwritten in place.
        ASSERT_TRUE(PutFile(kTo + c.name, Bytes(100000, 9)));
        // One percent a byte makes every chunk worth a message.
        setupState.bytesPerPercent = 1;
        setupState.nextPercent = 0;
        setupState.bytesDone = counted;
        TakeProgressPosts();
        EXPECT_EQ(TRANSFER_OK, CopySetupFile(c.name, kFrom.c_str(), kTo.c_str())) << c.name;
        EXPECT_TRUE(GetFile(kTo + c.name) == data) << c.name;
        EXPECT_EQ(125911584000000000ull, LastWriteTime(kTo + c.name)) << c.name;
        counted += (uint32_t)c.size;
        EXPECT_EQ(counted, setupState.bytesDone) << c.name;
        // One AddProgress per chunk, each crossing a step: one post each.
        EXPECT_EQ(c.chunks, TakeProgressPosts()) << c.name;
    }
}

TEST_F(EngineCopy, MissingSourceAndUnwritableTarget)
{
    lstrcpyA(setupState.failedPath, "unchanged");
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("absent.z", kFrom.c_str(), kTo.c_str()));
    EXPECT_STREQ("d:\\absent.z", setupState.failedPath);
    EXPECT_FALSE(Exists(kTo + "absent.z"));

    ASSERT_TRUE(PutFile(kFrom + "readme.txt", "new text"));
    ASSERT_TRUE(PutFile(kTo + "readme.txt", "old"));
    HANDLE inUse = HoldOpen(kTo + "readme.txt");
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("readme.txt", kFrom.c_str(), kTo.c_str()));
    EXPECT_STREQ("e:\\target\\readme.txt", setupState.failedPath);
    CloseHandle(inUse);
    EXPECT_EQ("old", GetFile(kTo + "readme.txt"));
    // A folder where the file should go cannot be replaced either.
    ASSERT_TRUE(MakeDirs(kTo + "netscape.z"));
    ASSERT_TRUE(PutFile(kFrom + "netscape.z", "data"));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("netscape.z", kFrom.c_str(), kTo.c_str()));
    EXPECT_STREQ("e:\\target\\netscape.z", setupState.failedPath);
    EXPECT_EQ(0u, setupState.bytesDone);
}

// A file that reports more bytes than a read brings (here a kernel status
// file: size 4096, a few bytes of text) must not be padded with buffer bytes.
TEST_F(EngineCopy, ShortReadIsASourceFailure)
{
    const std::string dir = "z:\\sys\\devices\\system\\cpu\\";
    ASSERT_TRUE(Exists(dir + "online"));
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("online", dir.c_str(), kTo.c_str()));
    EXPECT_EQ("", GetFile(kTo + "online"));
    EXPECT_EQ(0u, setupState.bytesDone);
}

TEST_F(EngineCopy, CancelBeforeTheFirstChunk)
{
    ASSERT_TRUE(PutFile(kFrom + "nsystem.z", Bytes(5000, 1)));
    ASSERT_TRUE(PutFile(kTo + "nsystem.z", "previous"));
    setupState.cancelRequested = 1;
    EXPECT_EQ(TRANSFER_CANCELLED, CopySetupFile("nsystem.z", kFrom.c_str(), kTo.c_str()));
    EXPECT_EQ("", GetFile(kTo + "nsystem.z"));
    EXPECT_EQ(0u, setupState.bytesDone);
    EXPECT_EQ(0, TakeProgressPosts());
}

// The page's thread sets the flag when the first progress message arrives;
// the copy must stop before a later chunk and leave what it wrote.
TEST_F(EngineCopy, CancelDuringALargeCopyStopsBeforeTheNextChunk)
{
    const size_t size = 32000 * 2000;
    ASSERT_TRUE(PutFile(kFrom + "javaclss.z", Bytes(size, 5)));
    struct Page {
        static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
        {
            if (m == WM_SETUP_PROGRESS && setupState.nextPercent > 2)
                setupState.cancelRequested = 1;
            return DefWindowProcA(w, m, wp, lp);
        }
        static DWORD WINAPI Thread(void* ready)
        {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = Proc;
            wc.lpszClassName = "EngineTestPage";
            RegisterClassA(&wc);
            setupState.progressDialog =
                CreateWindowExA(0, "EngineTestPage", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
            SetEvent((HANDLE)ready);
            MSG msg;
            while (GetMessageA(&msg, NULL, 0, 0) > 0)
                DispatchMessageA(&msg);
            return 0;
        }
    };
    HWND ownPage = setupState.progressDialog;
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    DWORD threadId;
    HANDLE thread = CreateThread(NULL, 0, Page::Thread, ready, 0, &threadId);
    WaitForSingleObject(ready, 5000);

    EXPECT_EQ(TRANSFER_CANCELLED, CopySetupFile("javaclss.z", kFrom.c_str(), kTo.c_str()));
    size_t written = GetFile(kTo + "javaclss.z").size();
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, size);
    EXPECT_EQ(0u, written % 32000);
    EXPECT_EQ(written, setupState.bytesDone);

    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    setupState.progressDialog = ownPage;
}

TEST_F(EngineCopy, NoBufferIsFatalAndClosesBothFiles)
{
    ASSERT_TRUE(PutFile(kFrom + "nsystem.z", Bytes(5000, 1)));
    FailAllocationsOfSize(32001);
    EXPECT_EQ(TRANSFER_FATAL, CopySetupFile("nsystem.z", kFrom.c_str(), kTo.c_str()));
    EXPECT_EQ(1, FailedAllocations());
    // Both handles are gone: the files can be deleted at once.
    EXPECT_TRUE(DeleteFileA((kTo + "nsystem.z").c_str()));
    EXPECT_TRUE(DeleteFileA((kFrom + "nsystem.z").c_str()));
}

// x: holds 4 MiB; a write that takes fewer bytes than asked is a failure.
TEST_F(EngineCopy, FullDiskIsAWriteFailure)
{
    ASSERT_TRUE(PutFile(kFrom + "netscape.z", Bytes(5 * 1024 * 1024, 2)));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("netscape.z", kFrom.c_str(), "x:\\"));
    EXPECT_STREQ("x:\\netscape.z", setupState.failedPath);
    EXPECT_LT(GetFile("x:\\netscape.z").size(), 5u * 1024 * 1024);
}

TEST_F(EngineCopy, PathsThatDoNotFitAreRefusedNotCut)
{
    ASSERT_TRUE(PutFile(kFrom + "nsystem.z", "data"));
    // 251 characters of directory and 9 of name need 261 bytes.
    std::string longDir = "e:\\" + std::string(247, 'd') + "\\";
    ASSERT_EQ(251u, longDir.size());
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("nsystem.z", kFrom.c_str(), longDir.c_str()));
    EXPECT_EQ(longDir, setupState.failedPath);
    EXPECT_EQ(TRANSFER_NO_SOURCE, CopySetupFile("nsystem.z", longDir.c_str(), kTo.c_str()));
    EXPECT_EQ(longDir, setupState.failedPath);
    // A directory without its backslash would put the file beside it.
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("nsystem.z", kFrom.c_str(), "e:\\target"));
    EXPECT_FALSE(Exists("e:\\targetnsystem.z"));
    EXPECT_EQ(TRANSFER_NO_TARGET, CopySetupFile("nsystem.z", kFrom.c_str(), ""));
    EXPECT_FALSE(Exists("nsystem.z"));
    EXPECT_EQ(0u, setupState.bytesDone);
}

}  // namespace
