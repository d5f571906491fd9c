// The engine's portable rules: the progress position and the path joins that
// must never cut a path.
#include <gtest/gtest.h>

#include <string>

#include "path_join.h"
#include "progress_step.h"

namespace {

TEST(ProgressStep, WorkedNumbers)
{
    const struct {
        uint32_t done, next, perPercent, n;  // the counters before, the call
        int posted;
        uint32_t doneAfter, nextAfter;
    } steps[] = {
        {0, 0, 15000, 0, 1, 0, 1},  // the first call always posts
        {0, 1, 15000, 32000, 1, 32000, 3},  // two whole percents, one post
        {32000, 3, 15000, 32000, 1, 64000, 5},
        {14000, 1, 15000, 100, 0, 14100, 1},
        {14100, 1, 15000, 900, 1, 15000, 2},
        {0, 1, 15000, 1500000, 1, 1500000, 101},
        {1500000, 101, 15000, 14999, 0, 1514999, 101},
        {0, 0, 0, 7, 1, 7, 8},  // 0 bytes a percent counts as 1
    };
    for (auto s : steps) {
        EXPECT_EQ(ProgressStep(&s.done, &s.next, s.perPercent, s.n), s.posted) << s.done << " + " << s.n;
        EXPECT_EQ(s.done, s.doneAfter);
        EXPECT_EQ(s.next, s.nextAfter);
    }
}

TEST(PathJoin, FitsExactlyOrRefuses)
{
    const std::string dir = "c:\\" + std::string(247, 'd') + "\\";  // 251 characters
    const struct {
        std::string dir, name;
        int fits;
    } cases[] = {{dir, "12345678", 1}, {dir, "123456789", 0}, {dir + "12345678", "", 1}, {"", "", 1}};
    for (const auto& c : cases) {
        char out[260] = "junk";
        EXPECT_EQ(JoinPath(out, sizeof out, c.dir.c_str(), c.name.c_str()), c.fits) << c.name;
        EXPECT_EQ(out, c.fits ? c.dir + c.name : "");
    }
    for (const auto& c : {std::make_pair("c:\\orvanet\\corvex\\", 1), {"\\", 1}, {"", 0}, {"c:\\a/", 0}})
        EXPECT_EQ(EndsInBackslash(c.first), c.second) << c.first;
}

}  // namespace
