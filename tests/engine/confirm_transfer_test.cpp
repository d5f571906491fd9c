// The retry prompts as a user sees them: text, caption, icon and buttons of
// each, and what Retry, Cancel and OK do.
#include <gtest/gtest.h>

#include "confirm_transfer.h"
#include "engine_support.h"
#include "harness.h"
#include "setup_state.h"
#include "transfer.h"

namespace {

struct Prompt {
    int result;
    std::vector<std::string> boxes;
};

Prompt Confirm(int transfer, int button)
{
    StartBoxAnswerer([button](const BoxInfo&) { return button; });
    Prompt p;
    p.result = ConfirmTransfer(setupState.progressDialog, transfer);
    p.boxes = StopBoxAnswerer();
    return p;
}

TEST(EngineConfirmTransfer, SilentResultsGoOn)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    for (int result : { (int)TRANSFER_OK, (int)TRANSFER_CANCELLED, 7 }) {
        Prompt p = Confirm(result, IDCANCEL);
        EXPECT_EQ(1, p.result);
        EXPECT_TRUE(p.boxes.empty()) << p.boxes[0];
        EXPECT_EQ(0, setupState.cancelRequested);
    }
}

TEST(EngineConfirmTransfer, RetryPromptsAskAgainOrCancel)
{
    PrepareSetupState("d:\\medium\\", "c:\\orvanet");
    lstrcpyA(setupState.failedPath, "c:\\orvanet\\corvex\\readme.txt");
    Prompt p = Confirm(TRANSFER_NO_TARGET, IDRETRY);
    EXPECT_EQ(0, p.result);
    EXPECT_EQ(0, setupState.cancelRequested);
    ASSERT_EQ(1u, p.boxes.size());
    EXPECT_EQ("box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Can't write file c:\\\\orvanet\\\\corvex\\\\readme.txt (may be in use).\"",
              p.boxes[0]);

    p = Confirm(TRANSFER_NO_SOURCE, IDCANCEL);
    EXPECT_EQ(1, p.result);
    EXPECT_EQ(1, setupState.cancelRequested);
    ASSERT_EQ(1u, p.boxes.size());
    EXPECT_EQ("box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Please ensure the following Velorin files are located in d:\\\\medium\\\\:"
              "\\r\\n\\r\\ncorvex.z\\r\\nnetscape.z\\r\\nreadme.txt\\r\\nsetup.exe\"",
              p.boxes[0]);

    setupState.cancelRequested = 0;
    lstrcpyA(setupState.sourceDir, "a:\\");
    setupState.floppyInstall = 1;
    setupState.diskNumber = 1;
    p = Confirm(TRANSFER_NO_SOURCE, IDRETRY);
    EXPECT_EQ(0, p.result);
    ASSERT_EQ(1u, p.boxes.size());
    EXPECT_EQ("box \"Velorin Installation\" icon=warning buttons=Retry|Cancel "
              "\"Please ensure that Velorin Disk #1 is in drive a:\\\\.\"",
              p.boxes[0]);
}

TEST(EngineConfirmTransfer, FatalErrorNoticeStopsTheInstallation)
{
    PrepareSetupState("d:\\", "c:\\orvanet");
    Prompt p = Confirm(TRANSFER_FATAL, IDOK);
    EXPECT_EQ(1, p.result);
    EXPECT_EQ(1, setupState.cancelRequested);
    ASSERT_EQ(1u, p.boxes.size());
    EXPECT_EQ("box \"Velorin Installation\" icon=warning buttons=OK "
              "\"A fatal error occurred (might be out of memory).\"",
              p.boxes[0]);
}

}  // namespace
