// main of every Win32 test program: GoogleTest with the machine reset before
// and after each test.
#include <gtest/gtest.h>

#include <cstdio>

#include "harness.h"

namespace {

class ResetEachTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ResetMachine(); }
    void OnTestEnd(const testing::TestInfo&) override
    {
        StopBoxAnswerer();
        ResetMachine();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    int failed = RUN_ALL_TESTS();
    // ctest names each test by scanning the sources; a program built from
    // older sources would otherwise pass a test it does not contain.
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        fprintf(stderr, "no test matched the filter\n");
        return 1;
    }
    return failed;
}
