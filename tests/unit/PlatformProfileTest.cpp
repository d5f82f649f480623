#include <cstdint>

#include <gtest/gtest.h>

#include "adapter/PlatformProfile.h"

namespace {

constexpr const char* k98Tcpip = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
constexpr const char* k98Class = "System\\CurrentControlSet\\Services\\Class\\Net\\";
constexpr const char* kNtTcpip =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr const char* kNtClass =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\";

TEST(PlatformProfileTest, HighBitOfTheVersionWordChoosesTheFamily) {
    struct Row {
        std::uint32_t versionWord;
        const char* family;
        const char* tcpip;
        const char* adapterClass;
    };
    const Row rows[] = {
        {0x00000000u, "NT", kNtTcpip, kNtClass},
        {0x1DB10106u, "NT", kNtTcpip, kNtClass},  // Windows 10
        {0x7FFFFFFFu, "NT", kNtTcpip, kNtClass},
        {0x80000000u, "98", k98Tcpip, k98Class},
        {0xC0000A04u, "98", k98Tcpip, k98Class},  // Windows 98
        {0xFFFFFFFFu, "98", k98Tcpip, k98Class},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.versionWord);
        PlatformProfile profile;
        SelectPlatformProfile(row.versionWord, profile);
        EXPECT_EQ(profile.family, row.family);
        EXPECT_EQ(profile.tcpipBasePath, row.tcpip);
        EXPECT_EQ(profile.adapterClassBasePath, row.adapterClass);
    }
}

TEST(PlatformProfileTest, ASecondSelectionReplacesEveryField) {
    PlatformProfile profile;
    SelectPlatformProfile(0x80000000u, profile);
    SelectPlatformProfile(0x0u, profile);
    EXPECT_EQ(profile.family, "NT");
    EXPECT_EQ(profile.tcpipBasePath, kNtTcpip);
    EXPECT_EQ(profile.adapterClassBasePath, kNtClass);
}

TEST(PlatformProfileTest, FamilyTestsCompareTheWholeTextWithCase) {
    struct Row {
        const char* family;
        bool nt;
        bool win98;
    };
    const Row rows[] = {
        {"NT", true, false},   {"98", false, true}, {"nt", false, false}, {"Nt", false, false},
        {"NT ", false, false}, {"", false, false},  {"9", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.family);
        PlatformProfile profile;
        profile.family = row.family;
        EXPECT_EQ(IsNtFamily(profile), row.nt);
        EXPECT_EQ(Is98Family(profile), row.win98);
    }
}

}  // namespace
