#include "adapter/AdapterKeys.h"
#include "adapter/FieldText.h"
#include "adapter/InterfaceSettings.h"
#include "adapter/RegistryLayout.h"
#include "adapter/RegistryText.h"
#include "adapter/ResolverList.h"
#include "config/Validation.h"

#include <string>

namespace layout = registry_layout;

namespace {

// Each written text keeps at least one zero byte of its fixed length.
constexpr std::size_t kLongestAddress = layout::kLongestAddress;
constexpr std::size_t kLongestResolverList = layout::kNameServerBytes - 1;

// What Windows can use: an empty text (which clears the value) or four parts
// of 1-3 digits up to 255, a mask contiguous as well. The class rule is left
// to the Add dialog: a restore of what Windows itself held must still apply.
bool IsWritableAddress(const std::string& text) {
    return text.empty() || IsDottedQuad(text.c_str());
}

bool IsWritableMask(const std::string& text) {
    return text.empty() || IsContiguousMask(text.c_str());
}

// A multi-string of one address ends in two zero bytes. The fixed 16 bytes
// leave only one after a 15-character address, so that one gets 17.
std::uint32_t AddressValueBytes(std::uint32_t type, const std::string& text) {
    return type == kRegMultiSz && text.size() == kLongestAddress
               ? layout::kLongestAddressMultiSzBytes
               : layout::kAddressBytes;
}

bool WriteDword(Registry& registry, const RegistryKey& key, const char* name,
                std::uint32_t number) {
    // REG_DWORD is little-endian whatever the host.
    const unsigned char bytes[layout::kEnableDhcpBytes] = {
        static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
        static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
    return registry.SetValue(key, name, kRegDword, bytes, sizeof bytes);
}

}  // namespace

bool ApplyInterfaceSettings(Registry& registry, const PlatformProfile& profile,
                            AdapterEntry adapter, Configuration configuration) {
    const std::string ipAddress = FieldText(configuration.ipAddress);
    const std::string gateway = FieldText(configuration.gateway);
    const std::string mask = FieldText(configuration.mask);
    const std::string macAddress = FieldText(configuration.macAddress);
    const std::string resolverList =
        JoinResolverList(FieldText(configuration.dns1), FieldText(configuration.dns2));

    // Cutting a longer text would store a different, wrong address; refuse
    // the whole configuration before anything is written.
    for (const std::string* text : {&ipAddress, &gateway, &mask, &macAddress}) {
        if (text->size() > kLongestAddress) return true;
    }
    if (resolverList.size() > kLongestResolverList) return true;
    // So is an address Windows could not use.
    if (!IsWritableAddress(ipAddress) || !IsWritableAddress(gateway) || !IsWritableMask(mask)) {
        return true;
    }

    const std::uint32_t stringType = IsNtFamily(profile) ? kRegMultiSz : kRegSz;
    const char* maskName = IsNtFamily(profile) ? layout::kSubnetMaskNt : layout::kIpMask98;
    bool failed = false;
    const auto count = [&failed](bool written) {
        if (!written) failed = true;
    };

    RegistryKey key = OpenInterfaceKey(registry, profile, adapter);
    count(WriteDword(registry, key, layout::kEnableDhcp, configuration.dhcpEnabled != 0 ? 1 : 0));
    count(WriteFixedText(registry, key, layout::kIpAddress, stringType, ipAddress,
                         AddressValueBytes(stringType, ipAddress)));
    count(WriteFixedText(registry, key, layout::kDefaultGateway, stringType, gateway,
                         AddressValueBytes(stringType, gateway)));
    count(WriteFixedText(registry, key, maskName, stringType, mask,
                         AddressValueBytes(stringType, mask)));

    if (Is98Family(profile)) {
        key.Close();
        key = OpenResolverKey(registry);
    }
    count(WriteFixedText(registry, key, layout::kNameServer, kRegSz, resolverList,
                         layout::kNameServerBytes));

    key.Close();
    key = OpenAdapterClassKey(registry, profile, adapter);
    if (macAddress == kDefaultMacAddress) {
        // Nothing to delete is no failure.
        registry.DeleteValue(key, layout::kNetworkAddress);
    } else {
        count(WriteFixedText(registry, key, layout::kNetworkAddress, kRegSz, macAddress,
                             layout::kAddressBytes));
    }
    return failed;
}
