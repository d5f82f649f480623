#include <cstdio>

#include <gtest/gtest.h>

#include "Driver.h"

namespace {

// Stops the suite after the case in which a window that must come did not:
// the program is broken or hung, and every later case would wait its minute
// for nothing. Set here, after the case, since each case's own changes to
// the flags are undone when it ends.
class StopAfterAMissedWindow : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        if (e2e::WindowMissed()) GTEST_FLAG_SET(fail_fast, true);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!e2e::RunningUnderWine()) {
        std::fprintf(stderr,
                     "These tests rewrite the machine's network settings in the registry;"
                     " they run only under Wine.\n");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new StopAfterAMissedWindow);
    return RUN_ALL_TESTS();
}
