// The engine's portable rule: the progress position.
#include <gtest/gtest.h>

#include "progress_step.h"

// The counters before, the bytes added, whether the page is told, the
// counters after; 15000 bytes a percent is the shipped total's.
TEST(ProgressStep, WorkedNumbers) {
    const uint32_t steps[][7] = {
        { 0, 0, 15000, 0, 1, 0, 1 },          // the first call always posts
        { 0, 1, 15000, 32000, 1, 32000, 3 },  // two whole percents, one post
        { 32000, 3, 15000, 32000, 1, 64000, 5 }, { 14000, 1, 15000, 100, 0, 14100, 1 },
        { 14100, 1, 15000, 900, 1, 15000, 2 },
        { 0, 1, 15000, 1500000, 0, 1500000, 101 },  // past the bar: no post
        { 1470000, 99, 15000, 15000, 1, 1485000, 100 },
        { 0, 0, 0, 7, 1, 7, 8 },  // 0 a percent counts as 1
    };
    for (const auto& s : steps) {
        uint32_t done = s[0], next = s[1];
        EXPECT_EQ(ProgressStep(&done, &next, s[2], s[3]), (int)s[4]) << s[0] << " + " << s[3];
        EXPECT_EQ(std::make_pair(done, next), std::make_pair(s[5], s[6]));
    }
}
