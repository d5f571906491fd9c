// The driver against the probe program: what it reads must be what the
// program shows, and a failed step must stop the run.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

std::string Probe()
{
    std::string p = VELORIN_PROBE_EXE;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

}  // namespace

TEST(Driver, ReadsEveryBoxKindAndItsButtons)
{
    ScenarioResult r = RunScenarioWithArgs(Probe(), {"boxes"},
        "box\nanswer 1\n"
        "box\nanswer 4\n"
        "box\nanswer 7\n"
        "box\nanswer 1\n"
        "box\nanswer 2\n"
        "exit\n");
    EXPECT_EQ(r.driverExit, 0);
    EXPECT_EQ(r.transcript,
              "box \"Probe Box\" icon=error buttons=OK \"Error box.\"\n"
              "answer 1\n"
              "box \"Probe Box\" icon=warning buttons=Retry|Cancel \"Warning box:\\r\\nsecond line.\"\n"
              "answer 4\n"
              "box \"Probe Box\" icon=question buttons=Yes|No \"Question box?\"\n"
              "answer 7\n"
              "box \"Probe Box\" icon=information buttons=OK \"Information box.\"\n"
              "answer 1\n"
              "box \"Probe Box\" icon=none buttons=OK|Cancel \"Plain box.\"\n"
              "answer 2\n"
              "exit 14712");
}
