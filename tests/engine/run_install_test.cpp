// The install sequence in the test process with real files and real message
// boxes: order, optional files, the two-disk split, retry and cancel, the
// fatal stop, and the progress total.
#include <gtest/gtest.h>

#include "engine.h"
#include "engine_support.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"

namespace {

const uint64_t kTime = 125911584000000000ull;
const std::string kComponents = "c:\\orvanet\\corvex\\";

std::vector<Member> Corvex()
{
    return { { "corvex.exe", LiteralStream(Bytes(20000, 11)), kTime + 1230000000 },
             { "corvex.ini", EncodedStream("[Velorin]\r\n", 1, 4), kTime + 4560000000 } };
}

// Every file of the medium placed as it is, every member unpacked.
void ExpectInstalled(const std::vector<MediumFile>& medium, const std::string& dir)
{
    for (const MediumFile& f : medium) {
        if (f.name == "corvex.z")
            continue;
        EXPECT_TRUE(GetFile(dir + f.name) == f.data) << f.name;
        EXPECT_EQ(LastWriteTime("d:\\" + f.name), LastWriteTime(dir + f.name)) << f.name;
    }
    EXPECT_FALSE(Exists(dir + "corvex.z"));
    EXPECT_TRUE(GetFile(dir + "corvex.exe") == Bytes(20000, 11));
    EXPECT_EQ(kTime + 1230000000, LastWriteTime(dir + "corvex.exe"));
    EXPECT_EQ("[Velorin]\r\n", GetFile(dir + "corvex.ini"));
    EXPECT_EQ(kTime + 4560000000, LastWriteTime(dir + "corvex.ini"));
}

std::string WriteBox(const std::string& path)
{
    return "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel \"Can't write file " +
           path + " (may be in use).\"";
}

std::string Escaped(std::string s)
{
    for (size_t i = 0; (i = s.find('\\', i)) != std::string::npos; i += 2)
        s.insert(i, "\\");
    return s;
}

// Every target is held open (in use) beforehand; each prompt is answered by
// letting go of that one file and choosing Retry. The prompts then list the
// transfers in the order they were made.
std::vector<std::string> InstallThroughWritePrompts(const std::string& componentDir,
                                                    const std::vector<std::string>& targets,
                                                    int* result)
{
    MakeDirs(componentDir.substr(0, componentDir.size() - 1));
    std::vector<HANDLE> held;
    for (const std::string& t : targets)
        held.push_back(HoldOpen(componentDir + t));
    StartBoxAnswerer([&](const BoxInfo& box) {
        for (size_t i = 0; i < targets.size(); ++i)
            if (box.text == "Can't write file " + componentDir + targets[i] + " (may be in use).")
                CloseHandle(held[i]);
        return IDRETRY;
    });
    *result = RunInstall(setupState.progressDialog);
    return StopBoxAnswerer();
}

TEST(EngineRunInstall, CdInstallationPlacesEveryFileInOrder)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    const std::vector<std::string> order = { "nsystem.z", "netscape.z", "wsystem.z",
                                             "plugins.z", "javaclss.z", "javabin.z",
                                             "readme.txt", "bookmark.htm", "nprogram.z",
                                             "corvex.exe", "www.z" };
    int result = 0;
    std::vector<std::string> boxes = InstallThroughWritePrompts(kComponents, order, &result);
    EXPECT_EQ(1, result);
    std::vector<std::string> expected;
    for (const std::string& name : order)
        expected.push_back(WriteBox(Escaped(kComponents + name)));
    EXPECT_EQ(expected, boxes);  // no disk-change notice on a CD

    EXPECT_STREQ("c:\\orvanet\\corvex\\", setupState.componentDir);
    ExpectInstalled(medium, kComponents);
    // Each Retry repeated only the failed file: everything counted once.
    EXPECT_EQ(CountedBytes(medium, Corvex()), setupState.bytesDone);
    EXPECT_EQ(0, setupState.floppyInstall);
    EXPECT_EQ(2, setupState.diskNumber);
    EXPECT_EQ("Adding Velorin group...", StatusText());
}

TEST(EngineRunInstall, WithoutTheOptionalFilesNineTransfers)
{
    // A trailing backslash on installDir is not doubled.
    PrepareSetupState("d:\\", "c:\\orvanet\\");
    std::vector<MediumFile> medium = StandardMedium(false, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    const std::vector<std::string> order = { "nsystem.z", "netscape.z", "wsystem.z",
                                             "plugins.z", "javaclss.z", "javabin.z",
                                             "readme.txt", "nprogram.z", "corvex.exe" };
    int result = 0;
    std::vector<std::string> boxes = InstallThroughWritePrompts(kComponents, order, &result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(9u, boxes.size());
    EXPECT_STREQ("c:\\orvanet\\corvex\\", setupState.componentDir);
    ExpectInstalled(medium, kComponents);
    EXPECT_FALSE(Exists(kComponents + "bookmark.htm"));
    EXPECT_FALSE(Exists(kComponents + "www.z"));
}

// A read-only file in the way: the prompt comes again for as long as it stays
// read-only, and Retry once it is writable places it and goes on.
TEST(EngineRunInstall, ReadOnlyTargetIsPromptedUntilItCanBeWritten)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(false, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    ASSERT_TRUE(MakeDirs("c:\\orvanet\\corvex"));
    ASSERT_TRUE(PutFile(kComponents + "readme.txt", "old text"));
    ASSERT_TRUE(SetReadOnly(kComponents + "readme.txt"));
    int prompts = 0;
    StartBoxAnswerer([&](const BoxInfo&) {
        if (++prompts == 2)
            ClearReadOnly(kComponents + "readme.txt");
        return IDRETRY;
    });
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    std::vector<std::string> prompt(2, WriteBox(Escaped(kComponents + "readme.txt")));
    EXPECT_EQ(prompt, StopBoxAnswerer());
    ExpectInstalled(medium, kComponents);
}

// A medium of exactly the shipped total brings the bar to 100, and no call
// posts more than once.
TEST(EngineRunInstall, ProgressReachesTheEndForAMediumOfTheShippedSize)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    FitToTotal(&medium, Corvex(), 1500000);
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));

    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    EXPECT_EQ(1500000u, setupState.bytesDone);
    EXPECT_EQ(101u, setupState.nextPercent);
    int calls = 0;  // chunks of the copies (at least one a file) and archive reads
    for (const MediumFile& f : medium)
        calls += f.name == "corvex.z" ? 0 : (int)(f.data.size() / 32000 + 1);
    for (const Member& m : Corvex())
        calls += (int)((m.stream.size() + 2047) / 2048);
    int posts = TakeProgressPosts();
    EXPECT_LE(posts, calls);
    EXPECT_GE(posts, 40);  // 100 percent in steps of at most about 2
}

// The page's floppy folder gets disk 2 while the notice is up.
void SwapToDiskTwo(const std::vector<MediumFile>& medium)
{
    for (const MediumFile& f : medium) {
        if (f.disk == 1)
            DeleteFileA(("a:\\" + f.name).c_str());
        else
            MoveFileA(("e:\\disk2\\" + f.name).c_str(), ("a:\\" + f.name).c_str());
    }
}

const char kDiskNotice[] = "box \"Velorin Installation\" icon=error buttons=OK "
                           "\"Please insert the disk labeled \\\"Velorin Disk #2\\\".\"";

TEST(EngineRunInstall, FloppyInstallationAsksForTheSecondDiskOnce)
{
    PrepareSetupState("a:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("a:\\", medium, 1));
    ASSERT_TRUE(MakeDirs("e:\\disk2"));
    ASSERT_TRUE(WriteMedium("e:\\disk2\\", medium, 2));
    StartBoxAnswerer([&](const BoxInfo& box) {
        if (box.text.find("Disk #2") != std::string::npos)
            SwapToDiskTwo(medium);
        return IDOK;
    });
    int result = RunInstall(setupState.progressDialog);
    std::vector<std::string> boxes = StopBoxAnswerer();
    EXPECT_EQ(1, result);
    EXPECT_EQ(std::vector<std::string>{ kDiskNotice }, boxes);
    EXPECT_EQ(1, setupState.floppyInstall);
    for (const MediumFile& f : medium)
        if (f.name != "corvex.z")
            EXPECT_TRUE(GetFile(kComponents + f.name) == f.data) << f.name;
    EXPECT_TRUE(GetFile(kComponents + "corvex.exe") == Bytes(20000, 11));
}

TEST(EngineRunInstall, MissingSecondDiskPromptsForItAndRetryGoesOn)
{
    PrepareSetupState("a:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(false, Corvex());
    ASSERT_TRUE(WriteMedium("a:\\", medium, 1));
    ASSERT_TRUE(MakeDirs("e:\\disk2"));
    ASSERT_TRUE(WriteMedium("e:\\disk2\\", medium, 2));
    // The notice is confirmed with disk 1 still in; the prompt brings disk 2.
    StartBoxAnswerer([&](const BoxInfo& box) {
        if (box.buttons == "OK")
            return IDOK;
        SwapToDiskTwo(medium);
        return IDRETRY;
    });
    int result = RunInstall(setupState.progressDialog);
    std::vector<std::string> boxes = StopBoxAnswerer();
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{
                  kDiskNotice, "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
                               "\"Please ensure that Velorin Disk #2 is in drive a:\\\\.\"" }),
              boxes);
    EXPECT_TRUE(GetFile(kComponents + "nprogram.z") == medium[7].data);
    EXPECT_EQ(CountedBytes(medium, Corvex()), setupState.bytesDone);
}

TEST(EngineRunInstall, RetryAfterAMissingSourceRepeatsOnlyThatFile)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    ASSERT_TRUE(DeleteFileA("d:\\netscape.z"));
    StartBoxAnswerer([&](const BoxInfo&) {
        WriteMedium("d:\\", { medium[1] }, 0);
        return IDRETRY;
    });
    int result = RunInstall(setupState.progressDialog);
    std::vector<std::string> boxes = StopBoxAnswerer();
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("located in d:\\\\:")) << boxes[0];
    EXPECT_EQ(CountedBytes(medium, Corvex()), setupState.bytesDone);
    ExpectInstalled(medium, kComponents);
}

// Cancel in a prompt stops before the next file; nothing after it happens.
TEST(EngineRunInstall, CancelInAPromptStopsTheSequence)
{
    struct Case { const char* missing; const char* placed; const char* notPlaced; };
    const Case cases[] = { { "netscape.z", "nsystem.z", "wsystem.z" },
                           { "corvex.z", "nprogram.z", "www.z" } };
    for (const Case& c : cases) {
        ResetMachine();
        PrepareSetupState("d:\\", "c:\\orvanet");
        std::vector<MediumFile> medium = StandardMedium(true, Corvex());
        ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
        ASSERT_TRUE(DeleteFileA((std::string("d:\\") + c.missing).c_str()));
        StartBoxAnswerer([](const BoxInfo&) { return IDCANCEL; });
        int result = RunInstall(setupState.progressDialog);
        EXPECT_EQ(1u, StopBoxAnswerer().size()) << c.missing;
        EXPECT_EQ(0, result) << c.missing;
        EXPECT_EQ(1, setupState.cancelRequested);
        EXPECT_TRUE(Exists(kComponents + c.placed)) << c.missing;
        EXPECT_FALSE(Exists(kComponents + c.notPlaced)) << c.missing;
        EXPECT_EQ("Installing Velorin...", StatusText());
    }
}

TEST(EngineRunInstall, FatalErrorStopsAfterTheNoticeWithoutRetry)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    FailAllocationsOfSize(32001);
    StartBoxAnswerer([](const BoxInfo&) { return IDOK; });
    int result = RunInstall(setupState.progressDialog);
    std::vector<std::string> boxes = StopBoxAnswerer();
    EXPECT_EQ(0, result);
    EXPECT_EQ((std::vector<std::string>{ "box \"Velorin Installation\" icon=warning buttons=OK "
                                         "\"A fatal error occurred (might be out of memory).\"" }),
              boxes);
    EXPECT_EQ(1, FailedAllocations());
    EXPECT_EQ("", GetFile(kComponents + "nsystem.z"));
    EXPECT_FALSE(Exists(kComponents + "netscape.z"));
}

}  // namespace
