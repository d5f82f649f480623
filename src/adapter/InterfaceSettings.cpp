// One interface's settings, read and applied side by side: for each registry
// value the read and the write stand next to each other.
#include "adapter/InterfaceSettings.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "adapter/RegistryLayout.h"
#include "common/BoundedText.h"
#include "config/Validation.h"

namespace layout = registry_layout;

namespace {

constexpr const char kBackUpNamePrefix[] = "Back - ";

// Each written text keeps at least one zero byte of its fixed length.
constexpr std::size_t kLongestAddress = layout::kLongestAddress;
constexpr std::size_t kLongestResolverList = layout::kNameServerBytes - 1;

// A record passed in by value may come from anywhere, so its fixed-size
// fields are not trusted to hold a terminator.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return std::string(field,
                       end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N);
}

// The keys, each opened with open-or-create and full access, so that reading
// creates whatever is missing.

RegistryKey OpenBelow(Registry& registry, const std::string& basePath, const std::string& name) {
    // The registry skips empty path parts, so an empty name, or one of
    // nothing but backslashes, would open the base key itself (which holds no
    // interface) and spill settings into it.
    if (name.find_first_not_of('\\') == std::string::npos) return RegistryKey();
    return registry.CreateKey((basePath + name + "\\").c_str());
}

// tcpipBasePath + interfaceKey + "\".
RegistryKey OpenInterfaceKey(Registry& registry, const PlatformProfile& profile,
                             const AdapterEntry& adapter) {
    return OpenBelow(registry, profile.tcpipBasePath, FieldText(adapter.interfaceKey));
}

// adapterClassBasePath + classSubkey + "\".
RegistryKey OpenAdapterClassKey(Registry& registry, const PlatformProfile& profile,
                                const AdapterEntry& adapter) {
    return OpenBelow(registry, profile.adapterClassBasePath, FieldText(adapter.classSubkey));
}

// The "98" family keeps "NameServer" in one resolver key for all
// interfaces; "NT" keeps it in the interface's own key.
RegistryKey OpenResolverKey98(Registry& registry) {
    return registry.CreateKey(layout::kResolverKey98);
}

// Writes `text` and zero bytes up to exactly `length` bytes. The caller has
// made sure that the text leaves room for at least one zero byte.
bool WriteFixedText(Registry& registry, const RegistryKey& key, const char* name,
                    std::uint32_t type, const std::string& text, std::uint32_t length) {
    std::string data = text.substr(0, length);
    data.resize(length, '\0');
    return registry.SetValue(key, name, type, data.data(), length);
}

// "IPAddress", the mask, "DefaultGateway". Windows keeps an address as a
// multi-string, two terminators and maybe more addresses after the first, so
// the value is read whole and its first string taken. A first string too
// long to be written back reads as empty.
void ReadAddress(Registry& registry, const RegistryKey& key, const char* name,
                 char (&field)[kTextFieldSize]) {
    std::string text = ReadTextValue(registry, key, name, layout::kAddressReadBytes);
    if (text.size() > layout::kLongestAddress) text.clear();
    CopyLineText(field, text.c_str());
}

// A multi-string of one address ends in two zero bytes. The fixed 16 bytes
// leave only one after a 15-character address, so that one gets 17.
bool WriteAddress(Registry& registry, const RegistryKey& key, const char* name, std::uint32_t type,
                  const std::string& text) {
    const std::uint32_t length = type == kRegMultiSz && text.size() == kLongestAddress
                                     ? layout::kLongestAddressMultiSzBytes
                                     : layout::kAddressBytes;
    return WriteFixedText(registry, key, name, type, text, length);
}

const char* MaskValueName(const PlatformProfile& profile) {
    return IsNtFamily(profile) ? layout::kSubnetMaskNt : layout::kIpMask98;
}

// "EnableDHCP": only a value of exactly four bytes is a DWORD; anything else
// reads as off.
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

bool WriteDhcpFlag(Registry& registry, const RegistryKey& key, unsigned char dhcpEnabled) {
    const std::uint32_t number = dhcpEnabled != 0 ? 1 : 0;
    // REG_DWORD is little-endian whatever the host.
    const unsigned char bytes[layout::kEnableDhcpBytes] = {
        static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
        static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
    return registry.SetValue(key, layout::kEnableDhcp, kRegDword, bytes, sizeof bytes);
}

// "NameServer", a comma-separated list. dns1 is its first run without a
// comma, after any leading commas; dns2 is everything after the comma that
// ends it, further commas included.
void ReadResolvers(Registry& registry, const RegistryKey& key, Configuration& result) {
    const std::string list =
        ReadTextValue(registry, key, layout::kNameServer, layout::kNameServerReadBytes);
    std::string dns1;
    std::string dns2;
    const std::size_t start = list.find_first_not_of(',');
    if (start != std::string::npos) {
        const std::size_t end = list.find(',', start);
        dns1 = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos) dns2 = list.substr(end + 1);
    }
    CopyLineText(result.dns1, dns1.c_str());
    CopyLineText(result.dns2, dns2.c_str());
}

// "dns1,dns2" when both are set, otherwise whichever is set (or nothing).
std::string JoinResolvers(const std::string& dns1, const std::string& dns2) {
    if (!dns1.empty() && !dns2.empty()) return dns1 + "," + dns2;
    return dns1 + dns2;
}

bool WriteResolvers(Registry& registry, const RegistryKey& key, const std::string& list) {
    return WriteFixedText(registry, key, layout::kNameServer, kRegSz, list,
                          layout::kNameServerBytes);
}

// "NetworkAddress" in the adapter's class key; its absence means "Default",
// the adapter's own hardware address.
void ReadNetworkAddress(Registry& registry, const RegistryKey& key, Configuration& result) {
    CopyLineText(result.macAddress, ReadTextValue(registry, key, layout::kNetworkAddress,
                                                  layout::kNetworkAddressReadBytes)
                                        .c_str());
    if (result.macAddress[0] == '\0') CopyText(result.macAddress, kDefaultMacAddress);
}

bool WriteNetworkAddress(Registry& registry, const RegistryKey& key,
                         const std::string& macAddress) {
    if (macAddress == kDefaultMacAddress) {
        // Nothing to delete is no failure.
        registry.DeleteValue(key, layout::kNetworkAddress);
        return true;
    }
    return WriteFixedText(registry, key, layout::kNetworkAddress, kRegSz, macAddress,
                          layout::kAddressBytes);
}

// What Windows can use: an empty text (which clears the value) or four parts
// of 1-3 digits up to 255, a mask contiguous as well. The class rule is left
// to the Add dialog: a restore of what Windows itself held must still apply.
bool IsWritableAddress(const std::string& text) {
    return text.empty() || IsDottedQuad(text.c_str());
}

bool IsWritableMask(const std::string& text) {
    return text.empty() || IsContiguousMask(text.c_str());
}

}  // namespace

void ReadInterfaceSettings(Registry& registry, const PlatformProfile& profile, AdapterEntry adapter,
                           Configuration& result) {
    RegistryKey key = OpenInterfaceKey(registry, profile, adapter);
    result = Configuration{};
    ReadAddress(registry, key, layout::kIpAddress, result.ipAddress);
    ReadAddress(registry, key, MaskValueName(profile), result.mask);
    ReadAddress(registry, key, layout::kDefaultGateway, result.gateway);
    result.dhcpEnabled = ReadDhcpFlag(registry, key);

    if (Is98Family(profile)) {
        key.Close();
        key = OpenResolverKey98(registry);
    }
    ReadResolvers(registry, key, result);

    key.Close();
    key = OpenAdapterClassKey(registry, profile, adapter);
    ReadNetworkAddress(registry, key, result);

    // A long description is cut to fit the name.
    CopyLineText(result.name, (kBackUpNamePrefix + FieldText(adapter.description)).c_str());
}

ApplyResult ApplyInterfaceSettings(Registry& registry, const PlatformProfile& profile,
                                   AdapterEntry adapter, Configuration configuration) {
    const std::string ipAddress = FieldText(configuration.ipAddress);
    const std::string gateway = FieldText(configuration.gateway);
    const std::string mask = FieldText(configuration.mask);
    const std::string macAddress = FieldText(configuration.macAddress);
    const std::string resolverList =
        JoinResolvers(FieldText(configuration.dns1), FieldText(configuration.dns2));

    // Cutting a longer text would store a different, wrong address; refuse
    // the whole configuration before anything is written.
    for (const std::string* text : {&ipAddress, &gateway, &mask, &macAddress}) {
        if (text->size() > kLongestAddress) return ApplyResult::kRefused;
    }
    if (resolverList.size() > kLongestResolverList) return ApplyResult::kRefused;
    // So is an address Windows could not use.
    if (!IsWritableAddress(ipAddress) || !IsWritableAddress(gateway) || !IsWritableMask(mask)) {
        return ApplyResult::kRefused;
    }

    // Every write is tried; one that fails makes the whole apply fail.
    bool failed = false;
    const auto count = [&failed](bool written) {
        if (!written) failed = true;
    };
    const std::uint32_t stringType = IsNtFamily(profile) ? kRegMultiSz : kRegSz;

    RegistryKey key = OpenInterfaceKey(registry, profile, adapter);
    count(WriteDhcpFlag(registry, key, configuration.dhcpEnabled));
    count(WriteAddress(registry, key, layout::kIpAddress, stringType, ipAddress));
    count(WriteAddress(registry, key, layout::kDefaultGateway, stringType, gateway));
    count(WriteAddress(registry, key, MaskValueName(profile), stringType, mask));

    if (Is98Family(profile)) {
        key.Close();
        key = OpenResolverKey98(registry);
    }
    count(WriteResolvers(registry, key, resolverList));

    key.Close();
    key = OpenAdapterClassKey(registry, profile, adapter);
    count(WriteNetworkAddress(registry, key, macAddress));
    return failed ? ApplyResult::kPutBack : ApplyResult::kApplied;
}
