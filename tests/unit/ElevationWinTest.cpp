// The parent's side of the elevation on the built Nicset.exe. Wine runs
// every process elevated and starts a "runas" like any other program, so the
// copy's writes and its exit code cross back; declining the prompt is the
// native tables' business.
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "adapter/ProgramFile.h"
#include "adapter/RegistryLayout.h"
#include "adapter/Win32Registry.h"
#include "ui/SystemApply.h"

namespace {

namespace layout = registry_layout;

constexpr char kDescription[] = "Nicset elevation test card";
constexpr char kInstanceId[] = "{4E494353-4554-454C-4556-415445544553}";

void SetText(Registry& registry, const RegistryKey& key, const char* name, const char* text) {
    registry.SetValue(key, name, kRegSz, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

std::string IpAddressOf(Win32Registry& registry, const std::string& tcpipKey) {
    RegistryValue written;
    registry.ReadWholeValue(registry.CreateKey(tcpipKey.c_str()), layout::kIpAddress, written);
    return written.data;
}

TEST(ElevationWinTest, TheElevatedCopyAppliesToThePickedCardAndItsEndingComesBack) {
    const std::string classKey = std::string(layout::kAdapterClassBasePathNt) + "0099";
    const std::string newClassKey = std::string(layout::kAdapterClassBasePathNt) + "0098";
    const std::string tcpipKey = std::string(layout::kTcpipBasePathNt) + kInstanceId;
    Win32Registry registry;
    const auto seedCard = [&registry](const std::string& path, const char* instanceId) {
        RegistryKey key = registry.CreateKey(path.c_str());
        SetText(registry, key, layout::kDriverDesc, kDescription);
        SetText(registry, key, layout::kBusType, "5");
        SetText(registry, key, layout::kNetCfgInstanceId, instanceId);
    };
    seedCard(classKey, kInstanceId);
    ElevatedApply order;
    order.classSubkey = "0099";
    order.interfaceGuid = kInstanceId;
    order.interfaceName = kDescription;
    std::strcpy(order.configuration.ipAddress, "10.4.4.4");
    std::strcpy(order.configuration.mask, "255.0.0.0");
    std::strcpy(order.configuration.macAddress, "Default");
    const std::wstring own = OwnProgramFile();
    const std::wstring program = own.substr(0, own.find_last_of(L'\\') + 1) + L"Nicset.exe";

    ElevatedRun run = RunElevatedCopy(nullptr, program, ElevatedChildLine(order));

    EXPECT_EQ(run.how, ElevatedRun::How::kEnded) << "code " << run.code;
    EXPECT_EQ(StatusOf(ReportOfChildExit(run.code, false)), kStatusApplied);
    EXPECT_EQ(IpAddressOf(registry, tcpipKey), std::string("10.4.4.4").append(8, '\0'));

    // A card of the same name comes before it: the picked one is now "#2",
    // and the copy writes nothing.
    seedCard(newClassKey, "{4E494353-4554-454C-4556-415445544554}");
    std::strcpy(order.configuration.ipAddress, "10.5.5.5");
    run = RunElevatedCopy(nullptr, program, ElevatedChildLine(order));

    EXPECT_EQ(run.how, ElevatedRun::How::kEnded);
    EXPECT_EQ(run.code, 0x20000004u);
    EXPECT_EQ(IpAddressOf(registry, tcpipKey), std::string("10.4.4.4").append(8, '\0'));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, tcpipKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, classKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, newClassKey.c_str());
}

}  // namespace
