// The install sequence and its prompts in the test process, real files and boxes.
#include <gtest/gtest.h>

#include "engine.h"
#include "harness.h"
#include "media.h"
#include "setup_state.h"

static const std::string kComponents = "c:\\orvanet\\corvex\\";
static const std::string kPrompt = "box \"Velorin Installation\" icon=warning buttons=Retry|Cancel \"";
static const uint64_t kTime = 125911584000000000ull;

static std::string CannotWrite(const std::string& name)
{
    return kPrompt + "Can't write file c:\\\\orvanet\\\\corvex\\\\" + name + " (may be in use).\"";
}

static std::vector<Member> Corvex()
{
    return { { "corvex.exe", LiteralStream(Bytes(20000, 11)), kTime }, { "corvex.ini", EncodedStream("[V]", 1, 4), 0 } };
}

static std::string StatusText()
{
    char text[64];
    return std::string(text, GetWindowTextA(setupState.statusText, text, sizeof text));
}

// Every target is taken by a folder, readme.txt by a read-only file. Each
// prompt frees its target and retries, readme.txt's only at its second. The
// prompts so list the transfers in order, and the exact total shows that a
// retry repeated its own file only.
TEST(EngineRunInstall, CdInstallationInOrderToAFullBar)
{
    PrepareSetupState("d:\\", "c:\\orvanet\\");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    FitToTotal(&medium, Corvex(), 1500000);
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    std::vector<std::string> prompts;
    for (MediumFile& f : medium) {
        if (f.name == "corvex.z")  // unpacked, not copied
            f = { "corvex.exe", Bytes(20000, 11), 2 };
        ASSERT_TRUE(f.name == "readme.txt" ? WriteFileBytes(kComponents + f.name, "old") && SetReadOnly(kComponents + f.name)
                                           : MakeDirs(kComponents + f.name));
        prompts.insert(prompts.end(), f.name == "readme.txt" ? 2 : 1, CannotWrite(f.name));
    }
    int readOnlyPrompts = 0;
    StartBoxAnswerer([&](const BoxInfo& box) {
        std::string path = box.text.substr(17, box.text.find(" (may") - 17);
        if (!RemoveDirectoryA(path.c_str()) && ++readOnlyPrompts == 2)
            ClearReadOnly(path);
        return IDRETRY;
    });
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    EXPECT_EQ(prompts, StopBoxAnswerer());  // and no disk notice on a CD
    for (const MediumFile& f : medium)
        EXPECT_TRUE(GetFile(kComponents + f.name) == f.data) << f.name;
    EXPECT_EQ(kTime, LastWriteTime(kComponents + "corvex.exe"));
    EXPECT_EQ("[V]", GetFile(kComponents + "corvex.ini"));
    EXPECT_EQ(1500000u, setupState.bytesDone);
    EXPECT_EQ(101u, setupState.nextPercent);
    EXPECT_EQ("Adding Velorin group...", StatusText());
}

// Each way a prompt ends the sequence before the next file: Cancel on a CD
// (corvex.z missing; bookmark.htm is skipped) or on floppies (told by the
// first letter alone; Cancel confirmed on the page while the notice between
// the halves is up stops before disk 2), a fatal error, Cancel confirmed
// while a prompt is up (its Retry must not empty the target), a medium in the
// component folder (each source must survive).
TEST(EngineRunInstall, PromptsThatStopTheSequence)
{
    const std::string disk = kPrompt + "Please ensure that Velorin Disk #";
    const struct { std::string source; int disk; DWORD failing; bool readOnly; std::vector<std::string> boxes; } cases[] = {
        { "d:\\", 0, 0, false, { kPrompt + "Please ensure the following Velorin files are located in "
                                 "d:\\\\:\\r\\n\\r\\ncorvex.z\\r\\nnetscape.z\\r\\nreadme.txt\\r\\nsetup.exe\"" } },
        { "a:\\", 1, 0, false, { "box \"Velorin Installation\" icon=error buttons=OK \"Please insert the disk "
                                 "labeled \\\"Velorin Disk #2\\\".\"" } },
        { "B:\\", -1, 0, false, { disk + "1 is in drive B:\\\\.\"" } },
        { "d:\\", 0, 32001, false, { "box \"Velorin Installation\" icon=warning buttons=OK "
                                     "\"A fatal error occurred (might be out of memory).\"" } },
        { "d:\\", 0, 0, true, { CannotWrite("readme.txt") } },
        { kComponents, 0, 0, false, { CannotWrite("nsystem.z") } },
    };
    for (const auto& c : cases) {
        ResetMachine();
        PrepareSetupState(c.source, "c:\\orvanet");
        std::vector<MediumFile> medium = StandardMedium(false, Corvex());
        medium.pop_back();  // corvex.z
        ASSERT_TRUE(MakeDirs(kComponents) && (c.disk < 0 || WriteMedium(c.source, medium, c.disk)) &&
                    (c.disk != 1 || WriteFileBytes(kComponents + "nprogram.z", "old")) &&
                    (!c.readOnly || (WriteFileBytes(kComponents + "readme.txt", "old") &&
                                     SetReadOnly(kComponents + "readme.txt"))));
        OnAllocation(c.failing, ALLOC_FAIL);
        StartBoxAnswerer([&](const BoxInfo& box) {
            if (box.buttons == "OK")
                setupState.cancelRequested = 1;
            if (box.buttons == "OK" || !c.readOnly)
                return box.buttons == "OK" ? IDOK : IDCANCEL;
            ClearReadOnly(kComponents + "readme.txt");
            setupState.cancelRequested = 1;
            return IDRETRY;
        });
        EXPECT_EQ(0, RunInstall(setupState.progressDialog)) << c.source;
        EXPECT_EQ(c.boxes, StopBoxAnswerer());
        EXPECT_EQ("Installing Velorin...", StatusText());
        for (const MediumFile& f : medium)
            EXPECT_TRUE(c.disk || GetFile(c.source + f.name) == f.data) << f.name;
        EXPECT_TRUE(!c.readOnly || GetFile(kComponents + "readme.txt") == "old");
        EXPECT_TRUE(c.disk != 1 || GetFile(kComponents + "nprogram.z") == "old");
    }
}
