// The parent's side of the elevation on the built Nicset.exe. Wine runs
// every process elevated and starts a "runas" like any other program, so the
// copy's writes and its exit code cross back; declining the prompt is the
// native tables' business.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "adapter/RegistryLayout.h"
#include "adapter/Win32Registry.h"
#include "ui/SystemApply.h"

namespace {

namespace layout = registry_layout;

constexpr char kDescription[] = "Nicset elevation test card";
constexpr char kInstanceId[] = "{NicsetElevationTest}";

void SetText(Registry& registry, const RegistryKey& key, const char* name, const char* text) {
    registry.SetValue(key, name, kRegSz, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

TEST(ElevationWinTest, TheElevatedCopyAppliesAndItsEndingComesBack) {
    const std::string classKey = std::string(layout::kAdapterClassBasePathNt) + "0099";
    const std::string tcpipKey = std::string(layout::kTcpipBasePathNt) + kInstanceId;
    Win32Registry registry;
    {
        RegistryKey key = registry.CreateKey(classKey.c_str());
        SetText(registry, key, layout::kDriverDesc, kDescription);
        SetText(registry, key, layout::kBusType, "5");
        SetText(registry, key, layout::kNetCfgInstanceId, kInstanceId);
    }
    ElevatedApply order;
    order.interfaceName = kDescription;
    std::strcpy(order.configuration.ipAddress, "10.4.4.4");
    std::strcpy(order.configuration.mask, "255.0.0.0");
    std::strcpy(order.configuration.macAddress, "Default");
    std::string program = OwnProgramPath();
    program = program.substr(0, program.find_last_of('\\') + 1) + "Nicset.exe";

    const ElevatedRun run =
        RunElevatedCopy(nullptr, program.c_str(), ElevatedChildLine(order), kLongestApplyWaitMs);

    EXPECT_EQ(run.how, ElevatedRun::How::kEnded) << "code " << run.code;
    EXPECT_EQ(StatusOf(ReportOfChildExit(run.code, false)), kStatusApplied);
    RegistryValue written;
    EXPECT_EQ(registry.ReadWholeValue(registry.CreateKey(tcpipKey.c_str()), layout::kIpAddress,
                                      written),
              ValueRead::kPresent);
    EXPECT_EQ(written.data, std::string("10.4.4.4").append(8, '\0'));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, tcpipKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, classKey.c_str());
}

}  // namespace
