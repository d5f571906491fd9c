// main of every Win32 test program: GoogleTest with the machine reset before
// and after each test.
#include <gtest/gtest.h>

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
    return RUN_ALL_TESTS();
}
