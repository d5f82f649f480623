#include <gtest/gtest.h>

#include "adapter/InterfaceRestart.h"

namespace {

// Wine lists no device of the network class; no Nicset64.exe is beside the test program.
TEST(InterfaceRestartWinTest, FindsNoAdapterDeviceAndNoHelperUnderWine) {
    EXPECT_EQ(RestartInterface("0000"), kRestartNotPresent);
    EXPECT_EQ(RunRestartHelper("0000"), kRestartHelperMissing);
}

}  // namespace
