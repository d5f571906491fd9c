// Native checks of the engine's portable rules: the progress position and
// the path joins that must never cut a path.
#include <gtest/gtest.h>
#include <string>

#include "path_join.h"
#include "progress_step.h"

namespace {

struct Counters {
    uint32_t bytesDone = 0;
    uint32_t nextPercent = 0;
    uint32_t bytesPerPercent = 15000;
    int Add(uint32_t n) { return ProgressStep(&bytesDone, &nextPercent, bytesPerPercent, n); }
};

TEST(ProgressStep, ShippedTotalWorkedNumbers)
{
    Counters c;
    // The first call always reports, even for an empty file.
    EXPECT_EQ(1, c.Add(0));
    EXPECT_EQ(0u, c.bytesDone);
    EXPECT_EQ(1u, c.nextPercent);
    // Crossing two whole percents in one call still reports once.
    EXPECT_EQ(1, c.Add(32000));
    EXPECT_EQ(32000u, c.bytesDone);
    EXPECT_EQ(3u, c.nextPercent);
    EXPECT_EQ(1, c.Add(32000));
    EXPECT_EQ(64000u, c.bytesDone);
    EXPECT_EQ(5u, c.nextPercent);
}

TEST(ProgressStep, BelowTheNextStepReportsNothing)
{
    Counters c;
    c.bytesDone = 14000;
    c.nextPercent = 1;
    EXPECT_EQ(0, c.Add(100));
    EXPECT_EQ(14100u, c.bytesDone);
    EXPECT_EQ(1u, c.nextPercent);
    // Exactly one whole percent reached: reported, position 2.
    EXPECT_EQ(1, c.Add(900));
    EXPECT_EQ(2u, c.nextPercent);
}

TEST(ProgressStep, FullTotalLeavesThePositionAboveTheBar)
{
    Counters c;
    c.bytesDone = 1485000;  // 99 %: the bar goes to 100
    c.nextPercent = 99;
    EXPECT_EQ(1, c.Add(0));
    EXPECT_EQ(100u, c.nextPercent);
    EXPECT_EQ(1, c.Add(15000));
    EXPECT_EQ(101u, c.nextPercent);
    // Beyond the total the counters go on growing, one report a percent.
    EXPECT_EQ(0, c.Add(14999));
    EXPECT_EQ(1, c.Add(1));
    EXPECT_EQ(102u, c.nextPercent);
}

TEST(ProgressStep, ZeroBytesPerPercentCountsAsOne)
{
    Counters c;
    c.bytesPerPercent = 0;
    EXPECT_EQ(1, c.Add(7));
    EXPECT_EQ(8u, c.nextPercent);
    EXPECT_EQ(0, c.Add(0));
}

TEST(JoinPath, FitsExactlyOrRefuses)
{
    char out[8];
    EXPECT_EQ(1, JoinPath(out, sizeof out, "c:\\", "abcd"));
    EXPECT_STREQ("c:\\abcd", out);  // 7 characters and the zero: exactly full
    EXPECT_EQ(0, JoinPath(out, sizeof out, "c:\\", "abcde"));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, JoinPath(out, sizeof out, "c:\\abcdefgh", ""));
    EXPECT_STREQ("", out);
    EXPECT_EQ(1, JoinPath(out, sizeof out, "", ""));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, JoinPath(out, 0, "", ""));
}

TEST(JoinPath, MaxPathBoundary)
{
    char out[260];
    std::string dir = "c:\\" + std::string(247, 'd') + "\\";  // 251 characters
    EXPECT_EQ(1, JoinPath(out, sizeof out, dir.c_str(), "12345678"));  // 259
    EXPECT_EQ(dir + "12345678", out);
    EXPECT_EQ(0, JoinPath(out, sizeof out, dir.c_str(), "123456789"));  // 260
}

TEST(EndsInBackslash, OnlyANonEmptyTextWithTheBackslashLast)
{
    EXPECT_EQ(1, EndsInBackslash("c:\\orvanet\\corvex\\"));
    EXPECT_EQ(1, EndsInBackslash("\\"));
    EXPECT_EQ(0, EndsInBackslash(""));
    EXPECT_EQ(0, EndsInBackslash("c:\\orvanet"));
    EXPECT_EQ(0, EndsInBackslash("c:\\a\\b"));
}

}  // namespace
