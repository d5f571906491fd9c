// The install sequence and its prompts in the test process, real files and boxes.
#include <gtest/gtest.h>

#include "engine.h"
#include "harness.h"
#include "install_fixtures.h"
#include "setup_state.h"

static const std::string kComponents = "c:\\orvanet\\corvex\\";

static std::string CannotWrite(const std::string& name) {
    return Prompt("Can't write file " + kComponents + name + " (may be in use).");
}

static std::vector<Member> Corvex() {
    return { { "corvex.exe", LiteralStream(NoiseBytes(20000, 11)), OLD_TIME },
        { "corvex.ini", EncodedStream("[V]", 1, 4), 0 } };
}

// Every target is taken by a folder, readme.txt by a read-only file. Each prompt frees its target
// and retries, readme.txt's only at its second. The prompts so list the transfers in order, and the
// exact total shows that a retry repeated its own file only. www.z is not on this medium: it is
// passed over without a prompt.
TEST(EngineRunInstall, CdInstallationInOrderToAFullBar) {
    PrepareSetupState("d:\\", "c:\\orvanet\\");
    std::vector<MediumFile> medium = StandardMedium(true, Corvex());
    medium.pop_back();  // www.z
    FitToTotal(&medium, Corvex(), 1500000);
    ASSERT_TRUE(WriteMedium("d:\\", medium, 0));
    std::vector<std::string> prompts;
    for (MediumFile& f : medium) {
        if (f.name == "corvex.z")  // unpacked, not copied
            f = { "corvex.exe", NoiseBytes(20000, 11), 2 };
        ASSERT_TRUE(f.name == "readme.txt" ? WriteFileBytes(kComponents + f.name, "old") &&
                                                 SetReadOnly(kComponents + f.name)
                                           : MakeDirs(kComponents + f.name));
        prompts.insert(prompts.end(), f.name == "readme.txt" ? 2 : 1, CannotWrite(f.name));
    }
    int readOnlyPrompts = 0;
    StartBoxAnswerer([&](const BoxInfo& box) {
        const size_t start = sizeof "Can't write file " - 1;
        if (box.text.compare(0, start, "Can't write file ") != 0)
            return IDCANCEL;  // not a prompt of this medium: end the run
        std::string path = box.text.substr(start, box.text.find(" (may") - start);
        if (!RemoveDirectoryA(path.c_str()) && ++readOnlyPrompts == 2) ClearReadOnly(path);
        return IDRETRY;
    });
    EXPECT_EQ(1, RunInstall(setupState.progressDialog));
    EXPECT_EQ(prompts, StopBoxAnswerer());  // and no disk notice on a CD
    for (const MediumFile& f : medium)
        EXPECT_TRUE(GetFile(kComponents + f.name) == f.data) << f.name;
    EXPECT_EQ(OLD_TIME, LastWriteTime(kComponents + "corvex.exe"));
    EXPECT_EQ("[V]", GetFile(kComponents + "corvex.ini"));
    EXPECT_EQ(1500000u, setupState.bytesDone);
    EXPECT_EQ(101u, setupState.nextPercent);
    EXPECT_EQ("Adding Velorin group...", Text(setupState.statusText));
}

// Each way a prompt ends the sequence before the next file: Cancel on a CD (corvex.z missing;
// bookmark.htm is skipped) or on floppies (told by the first letter alone; Cancel confirmed on the
// page while the notice between the halves is up stops before disk 2), a fatal error, Cancel
// confirmed while a prompt is up (its Retry must not empty the target), a medium in the component
// folder (each source must survive), and a failure after a confirmed Cancel, which asks nothing
// more.
TEST(EngineRunInstall, PromptsThatStopTheSequence) {
    enum Medium { NO_MEDIUM, WHOLE_MEDIUM, FIRST_DISK };  // what the source holds
    enum Twist { NONE, READ_ONLY_README, CANCELLED_BEFORE };
    // clang-format off
    const struct { const char* name; std::string source; Medium medium; DWORD failing; Twist twist;
                   std::vector<std::string> boxes; } rows[] = {
        { "CD without corvex.z", "d:\\", WHOLE_MEDIUM, 0, NONE,
          { Prompt("Please ensure the following Velorin files are located in d:\\:\r\n\r\n"
                   "corvex.z\r\nnetscape.z\r\nreadme.txt\r\nsetup.exe") } },
        { "cancel while the disk-2 notice is up", "a:\\", FIRST_DISK, 0, NONE,
          { "box \"Velorin Installation\" icon=error buttons=OK \"Please insert the disk "
            "labeled \\\"Velorin Disk #2\\\".\"" } },
        { "drive B: is a floppy drive", "B:\\", NO_MEDIUM, 0, NONE,
          { Prompt("Please ensure that Velorin Disk #1 is in drive B:\\.") } },
        { "no memory", "d:\\", WHOLE_MEDIUM, 32001, NONE,
          { "box \"Velorin Installation\" icon=warning buttons=OK "
            "\"A fatal error occurred (might be out of memory).\"" } },
        { "Retry after a cancel", "d:\\", WHOLE_MEDIUM, 0, READ_ONLY_README,
          { CannotWrite("readme.txt") } },
        { "medium in the component folder", kComponents, WHOLE_MEDIUM, 0, NONE,
          { CannotWrite("nsystem.z") } },
        { "failure after a cancel", "d:\\none\\", NO_MEDIUM, 0, CANCELLED_BEFORE, {} },
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetMachine();
        PrepareSetupState(row.source, "c:\\orvanet");
        std::vector<MediumFile> medium = StandardMedium(false, Corvex());
        medium.pop_back();  // corvex.z
        const std::string readme = kComponents + "readme.txt";
        ASSERT_TRUE(
            MakeDirs(kComponents) &&
            (row.medium == NO_MEDIUM ||
                WriteMedium(row.source, medium, row.medium == FIRST_DISK)) &&
            (row.medium != FIRST_DISK || WriteFileBytes(kComponents + "nprogram.z", "old")) &&
            (row.twist != READ_ONLY_README ||
                (WriteFileBytes(readme, "old") && SetReadOnly(readme))));
        OnAllocation(row.failing, ALLOC_FAIL);
        setupState.cancelRequested = row.twist == CANCELLED_BEFORE;
        StartBoxAnswerer([&](const BoxInfo& box) {
            if (box.buttons == "OK") setupState.cancelRequested = 1;
            if (box.buttons == "OK" || row.twist != READ_ONLY_README)
                return box.buttons == "OK" ? IDOK : IDCANCEL;
            ClearReadOnly(readme);
            setupState.cancelRequested = 1;
            return IDRETRY;
        });
        EXPECT_EQ(0, RunInstall(setupState.progressDialog));
        EXPECT_EQ(row.boxes, StopBoxAnswerer());
        EXPECT_EQ("Installing Velorin...", Text(setupState.statusText));
        for (const MediumFile& f : medium)
            EXPECT_TRUE(row.medium != WHOLE_MEDIUM || GetFile(row.source + f.name) == f.data)
                << f.name;
        EXPECT_TRUE(row.twist != READ_ONLY_README || GetFile(readme) == "old");
        EXPECT_TRUE(row.medium != FIRST_DISK || GetFile(kComponents + "nprogram.z") == "old");
    }
}
