#include "adapter/AdapterKeys.h"
#include "adapter/FieldText.h"
#include "adapter/InterfaceSettings.h"
#include "adapter/RegistryLayout.h"
#include "adapter/RegistryText.h"
#include "adapter/ResolverList.h"
#include "common/BoundedText.h"

#include <string>

namespace layout = registry_layout;

namespace {

constexpr const char kBackUpNamePrefix[] = "Back - ";

// Windows keeps an address as a multi-string, two terminators and maybe more
// addresses after the first, so the value is read whole and its first string
// taken. A first string too long to be written back reads as empty.
void ReadAddress(Registry& registry, const RegistryKey& key, const char* name,
                 char (&field)[kTextFieldSize]) {
    std::string text = ReadTextValue(registry, key, name, layout::kAddressReadBytes);
    if (text.size() > layout::kLongestAddress) text.clear();
    CopyLineText(field, text.c_str());
}

// Only a value of exactly four bytes is a DWORD; anything else reads as off.
unsigned char ReadDhcpFlag(Registry& registry, const RegistryKey& key) {
    unsigned char bytes[layout::kEnableDhcpBytes] = {};
    std::uint32_t length = 0;
    if (!registry.QueryValue(key, layout::kEnableDhcp, bytes, sizeof bytes, nullptr, &length) ||
        length != sizeof bytes) {
        return 0;
    }
    for (unsigned char byte : bytes) {
        if (byte != 0) return 1;
    }
    return 0;
}

}  // namespace

void ReadInterfaceSettings(Registry& registry, const PlatformProfile& profile, AdapterEntry adapter,
                           Configuration& result) {
    RegistryKey key = OpenInterfaceKey(registry, profile, adapter);
    result = Configuration{};
    ReadAddress(registry, key, layout::kIpAddress, result.ipAddress);
    ReadAddress(registry, key, IsNtFamily(profile) ? layout::kSubnetMaskNt : layout::kIpMask98,
                result.mask);
    ReadAddress(registry, key, layout::kDefaultGateway, result.gateway);
    result.dhcpEnabled = ReadDhcpFlag(registry, key);

    if (Is98Family(profile)) {
        key.Close();
        key = OpenResolverKey(registry);
    }
    const ResolverPair servers = SplitResolverList(
        ReadTextValue(registry, key, layout::kNameServer, layout::kNameServerReadBytes));
    CopyLineText(result.dns1, servers.dns1.c_str());
    CopyLineText(result.dns2, servers.dns2.c_str());

    key.Close();
    key = OpenAdapterClassKey(registry, profile, adapter);
    CopyLineText(result.macAddress, ReadTextValue(registry, key, layout::kNetworkAddress,
                                                  layout::kNetworkAddressReadBytes)
                                        .c_str());
    if (result.macAddress[0] == '\0') CopyText(result.macAddress, kDefaultMacAddress);

    // A long description is cut to fit the name.
    CopyLineText(result.name, (kBackUpNamePrefix + FieldText(adapter.description)).c_str());
}
