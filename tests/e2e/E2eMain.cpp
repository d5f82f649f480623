#include <cstdio>

#include <gtest/gtest.h>

#include "Driver.h"

int main(int argc, char** argv) {
    if (!e2e::RunningUnderWine()) {
        std::fprintf(stderr,
                     "These tests rewrite the machine's network settings in the registry;"
                     " they run only under Wine.\n");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
