// The engine's portable rules: the progress position and the path joins that
// must never cut a path.
#include <gtest/gtest.h>

#include <string>

#include "path_join.h"
#include "progress_step.h"

// The counters before, the bytes added, whether the page is told, the
// counters after; 15000 bytes a percent is the shipped total's.
TEST(ProgressStep, WorkedNumbers)
{
    const uint32_t steps[][7] = {
        {0, 0, 15000, 0, 1, 0, 1},  // the first call always posts
        {0, 1, 15000, 32000, 1, 32000, 3},  // two whole percents, one post
        {32000, 3, 15000, 32000, 1, 64000, 5}, {14000, 1, 15000, 100, 0, 14100, 1},
        {14100, 1, 15000, 900, 1, 15000, 2}, {0, 1, 15000, 1500000, 0, 1500000, 101},  // past the bar: no post
        {1470000, 99, 15000, 15000, 1, 1485000, 100}, {0, 0, 0, 7, 1, 7, 8},  // 0 a percent counts as 1
    };
    for (const auto& s : steps) {
        uint32_t done = s[0], next = s[1];
        EXPECT_EQ(ProgressStep(&done, &next, s[2], s[3]), (int)s[4]) << s[0] << " + " << s[3];
        EXPECT_EQ(done, s[5]);
        EXPECT_EQ(next, s[6]);
    }
}

TEST(PathJoin, FitsExactlyOrRefuses)
{
    const std::string dir = "c:\\" + std::string(247, 'd') + "\\";  // 251 characters
    for (const auto& c : {std::make_pair(dir, "12345678"), {dir, "123456789"}, {dir + "12345678", ""}, {"", ""}}) {
        char out[260] = "junk";
        int fits = JoinPath(out, sizeof out, c.first.c_str(), c.second);
        EXPECT_EQ(out, fits ? c.first + c.second : "") << c.second;
        EXPECT_EQ(fits, std::string(c.second) != "123456789");
    }
    for (const auto& c : {std::make_pair("c:\\orvanet\\corvex\\", 1), {"\\", 1}, {"", 0}, {"c:\\a/", 0}})
        EXPECT_EQ(EndsInBackslash(c.first), c.second) << c.first;
}
