// One interface's settings, read and applied side by side: for each registry
// value the read and the write stand next to each other.
#include "adapter/InterfaceSettings.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

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

// The keys: reading opens them for reading only, which needs no rights and
// creates nothing; Apply opens them with open-or-create and full access. A
// path is "" when there is no such key.

std::string PathBelow(const std::string& basePath, const std::string& name) {
    // The registry skips empty path parts, so an empty name, or one of
    // nothing but backslashes, would open the base key itself (which holds no
    // interface) and spill settings into it.
    if (name.find_first_not_of('\\') == std::string::npos) return std::string();
    return basePath + name + "\\";
}

// tcpipBasePath + interfaceKey + "\".
std::string InterfaceKeyPath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return PathBelow(profile.tcpipBasePath, FieldText(adapter.interfaceKey));
}

// adapterClassBasePath + classSubkey + "\".
std::string AdapterClassKeyPath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return PathBelow(profile.adapterClassBasePath, FieldText(adapter.classSubkey));
}

// The "98" family keeps "NameServer" in one resolver key for all
// interfaces; "NT" keeps it in the interface's own key.
std::string ResolverKeyPath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return Is98Family(profile) ? std::string(layout::kResolverKey98)
                               : InterfaceKeyPath(profile, adapter);
}

RegistryKey OpenPathForReading(Registry& registry, const std::string& path) {
    return path.empty() ? RegistryKey() : registry.OpenKeyForReading(path.c_str());
}

RegistryKey OpenPathForWriting(Registry& registry, const std::string& path) {
    return path.empty() ? RegistryKey() : registry.CreateKey(path.c_str());
}

// `text` and zero bytes up to exactly `length` bytes. The caller has made
// sure that the text leaves room for at least one zero byte.
RegistryValue FixedText(std::uint32_t type, const std::string& text, std::uint32_t length) {
    RegistryValue value{type, text.substr(0, length)};
    value.data.resize(length, '\0');
    return value;
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
RegistryValue AddressValue(std::uint32_t type, const std::string& text) {
    const std::uint32_t length = type == kRegMultiSz && text.size() == kLongestAddress
                                     ? layout::kLongestAddressMultiSzBytes
                                     : layout::kAddressBytes;
    return FixedText(type, text, length);
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

// REG_DWORD is little-endian whatever the host: 1 or 0 in the first byte.
RegistryValue DhcpFlagValue(unsigned char dhcpEnabled) {
    RegistryValue value{kRegDword, std::string(layout::kEnableDhcpBytes, '\0')};
    value.data[0] = dhcpEnabled != 0 ? 1 : 0;
    return value;
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

RegistryValue ResolversValue(const std::string& list) {
    return FixedText(kRegSz, list, layout::kNameServerBytes);
}

// "NetworkAddress" in the adapter's class key; its absence means "Default",
// the adapter's own hardware address. A well-formed address reads in the
// 12-digit form; anything else as Windows holds it (cut to the field), for
// Apply to refuse. It is read whole: a long value read as none would show
// as "Default", and applying that would delete it.
void ReadNetworkAddress(Registry& registry, const RegistryKey& key, Configuration& result) {
    RegistryValue value;
    try {
        if (registry.ReadWholeValue(key, layout::kNetworkAddress, value) != ValueRead::kPresent)
            value.data.clear();
    } catch (const std::bad_alloc&) {
        value.data.clear();
    }
    // Up to its first zero byte, as the network stack reads it.
    CopyLineText(result.macAddress, value.data.c_str());
    char normalized[kTextFieldSize];
    if (NormalizeMacAddress(result.macAddress, normalized) && !IsOwnMacAddress(normalized)) {
        CopyText(result.macAddress, normalized);
    }
    if (result.macAddress[0] == '\0') CopyText(result.macAddress, kDefaultMacAddress);
}

// Written as 12 digits; the card's own address deletes the value instead.
RegistryValue NetworkAddressValue(const std::string& macAddress) {
    return FixedText(kRegSz, macAddress, layout::kAddressBytes);
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

// One value Apply changes: set to `wanted`, or deleted; and what it held
// before, so that it can be put back.
struct Change {
    std::size_t key = 0;  // index into ApplyPlan::keyPaths
    const char* name = nullptr;
    bool remove = false;
    RegistryValue wanted;
    bool existed = false;
    RegistryValue before;
};

Change Setting(std::size_t key, const char* name, RegistryValue wanted) {
    Change change;
    change.key = key;
    change.name = name;
    change.wanted = std::move(wanted);
    return change;
}

Change Deleting(std::size_t key, const char* name) {
    Change change;
    change.key = key;
    change.name = name;
    change.remove = true;
    return change;
}

// The changes in the order they are written, key by key.
struct ApplyPlan {
    std::string keyPaths[3];  // the TCP/IP key, the resolver key, the class key
    std::vector<Change> changes;
};

// The keys Apply uses, opened one at a time: a key stays open while the
// changes that follow are in it too.
class KeyInUse {
public:
    KeyInUse(Registry& registry, const ApplyPlan& plan) : registry_(registry), plan_(plan) {}

    const RegistryKey& Open(std::size_t index) {
        if (!tried_ || plan_.keyPaths[index] != plan_.keyPaths[index_]) {
            key_.Close();
            key_ = OpenPathForWriting(registry_, plan_.keyPaths[index]);
            index_ = index;
            tried_ = true;
        }
        return key_;
    }

private:
    Registry& registry_;
    const ApplyPlan& plan_;
    std::size_t index_ = 0;
    bool tried_ = false;
    RegistryKey key_;
};

// Registry calls that run out of memory (the in-memory backend, a copy
// inside the Windows one) count as failures, never as aborts.
template <typename Call>
bool Attempt(Call call) noexcept {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Reads what every planned change will replace. False when a key cannot be
// opened for writing or a value cannot be read whole; `accessDenied` then
// says whether the opening was refused for lack of rights.
bool ReadWhatChanges(Registry& registry, ApplyPlan& plan, bool& accessDenied) {
    KeyInUse key(registry, plan);
    for (Change& change : plan.changes) {
        const bool read = Attempt([&] {
            const RegistryKey& open = key.Open(change.key);
            accessDenied = open.AccessDenied();
            if (!open.IsOpen()) return false;
            switch (registry.ReadWholeValue(open, change.name, change.before)) {
                case ValueRead::kPresent:
                    change.existed = true;
                    return true;
                case ValueRead::kAbsent:
                    return true;
                case ValueRead::kUnreadable:
                    return false;
            }
            return false;
        });
        if (!read) return false;
    }
    return true;
}

bool Make(Registry& registry, const RegistryKey& key, const Change& change) {
    if (change.remove) {
        // Nothing to delete is no failure.
        return registry.DeleteValue(key, change.name) || !change.existed;
    }
    return registry.SetValue(key, change.name, change.wanted.type, change.wanted.data.data(),
                             static_cast<std::uint32_t>(change.wanted.data.size()));
}

bool PutBack(Registry& registry, const RegistryKey& key, const Change& change) {
    if (change.existed) {
        return registry.SetValue(key, change.name, change.before.type, change.before.data.data(),
                                 static_cast<std::uint32_t>(change.before.data.size()));
    }
    return change.remove || registry.DeleteValue(key, change.name);
}

// Makes the changes in order and stops at the first that fails; gives how
// many were made.
std::size_t MakeChanges(Registry& registry, const ApplyPlan& plan) {
    KeyInUse key(registry, plan);
    std::size_t made = 0;
    for (const Change& change : plan.changes) {
        if (!Attempt([&] { return Make(registry, key.Open(change.key), change); })) break;
        ++made;
    }
    return made;
}

// Puts back the first `made` changes, last first. Goes on past a failure, so
// that as much as possible is as it was; false when anything stayed changed.
bool PutBackChanges(Registry& registry, const ApplyPlan& plan, std::size_t made) {
    KeyInUse key(registry, plan);
    bool all = true;
    while (made > 0) {
        const Change& change = plan.changes[--made];
        if (!Attempt([&] { return PutBack(registry, key.Open(change.key), change); })) all = false;
    }
    return all;
}

// The checks, then every change in the order it is written: false when the
// configuration is refused.
bool PlanApply(const PlatformProfile& profile, const AdapterEntry& adapter,
               const Configuration& configuration, ApplyPlan& plan) {
    const std::string ipAddress = FieldText(configuration.ipAddress);
    const std::string gateway = FieldText(configuration.gateway);
    const std::string mask = FieldText(configuration.mask);
    const std::string resolverList =
        JoinResolvers(FieldText(configuration.dns1), FieldText(configuration.dns2));
    char macAddress[kTextFieldSize];
    if (!NormalizeMacAddress(FieldText(configuration.macAddress).c_str(), macAddress)) {
        return false;
    }

    // Cutting a longer text would store a different, wrong address; refuse
    // the whole configuration before anything is written.
    for (const std::string* text : {&ipAddress, &gateway, &mask}) {
        if (text->size() > kLongestAddress) return false;
    }
    if (resolverList.size() > kLongestResolverList) return false;
    // So is an address Windows could not use.
    if (!IsWritableAddress(ipAddress) || !IsWritableAddress(gateway) || !IsWritableMask(mask)) {
        return false;
    }

    constexpr std::size_t kTcpip = 0;
    constexpr std::size_t kResolver = 1;
    constexpr std::size_t kClass = 2;
    plan.keyPaths[kTcpip] = InterfaceKeyPath(profile, adapter);
    plan.keyPaths[kResolver] = ResolverKeyPath(profile, adapter);
    plan.keyPaths[kClass] = AdapterClassKeyPath(profile, adapter);
    const std::uint32_t stringType = IsNtFamily(profile) ? kRegMultiSz : kRegSz;
    plan.changes = {
        Setting(kTcpip, layout::kEnableDhcp, DhcpFlagValue(configuration.dhcpEnabled)),
        Setting(kTcpip, layout::kIpAddress, AddressValue(stringType, ipAddress)),
        Setting(kTcpip, layout::kDefaultGateway, AddressValue(stringType, gateway)),
        Setting(kTcpip, MaskValueName(profile), AddressValue(stringType, mask)),
        Setting(kResolver, layout::kNameServer, ResolversValue(resolverList)),
        IsOwnMacAddress(macAddress)
            ? Deleting(kClass, layout::kNetworkAddress)
            : Setting(kClass, layout::kNetworkAddress, NetworkAddressValue(macAddress)),
    };
    // Right after "EnableDHCP": left at 1, it would make Windows ignore the
    // switch to DHCP.
    if (IsNtFamily(profile) && configuration.dhcpEnabled != 0) {
        plan.changes.insert(plan.changes.begin() + 1,
                            Deleting(kTcpip, layout::kDisableDhcpOnConnect));
    }
    return true;
}

}  // namespace

void ReadInterfaceSettings(Registry& registry, const PlatformProfile& profile, AdapterEntry adapter,
                           Configuration& result) {
    RegistryKey key = OpenPathForReading(registry, InterfaceKeyPath(profile, adapter));
    result = Configuration{};
    ReadAddress(registry, key, layout::kIpAddress, result.ipAddress);
    ReadAddress(registry, key, MaskValueName(profile), result.mask);
    ReadAddress(registry, key, layout::kDefaultGateway, result.gateway);
    result.dhcpEnabled = ReadDhcpFlag(registry, key);

    if (Is98Family(profile)) {
        key.Close();
        key = OpenPathForReading(registry, layout::kResolverKey98);
    }
    ReadResolvers(registry, key, result);

    key.Close();
    key = OpenPathForReading(registry, AdapterClassKeyPath(profile, adapter));
    ReadNetworkAddress(registry, key, result);

    // A long description is cut to fit the name.
    CopyLineText(result.name, (kBackUpNamePrefix + FieldText(adapter.description)).c_str());
}

bool PassesApplyChecks(const PlatformProfile& profile, const AdapterEntry& adapter,
                       const Configuration& configuration) {
    ApplyPlan plan;
    try {
        return PlanApply(profile, adapter, configuration, plan);
    } catch (const std::bad_alloc&) {
        return true;  // no refusal: the apply itself fails, writing nothing
    }
}

ApplyResult ApplyInterfaceSettings(Registry& registry, const PlatformProfile& profile,
                                   AdapterEntry adapter, Configuration configuration) {
    ApplyPlan plan;
    try {
        if (!PlanApply(profile, adapter, configuration, plan)) return ApplyResult::kRefused;
    } catch (const std::bad_alloc&) {
        return ApplyResult::kPutBack;  // nothing written
    }
    // A key that cannot be written, or a value that cannot be read to be put
    // back, stops the apply before anything is written.
    bool accessDenied = false;
    if (!ReadWhatChanges(registry, plan, accessDenied)) {
        return accessDenied ? ApplyResult::kAccessDenied : ApplyResult::kPutBack;
    }
    const std::size_t made = MakeChanges(registry, plan);
    if (made == plan.changes.size()) return ApplyResult::kApplied;
    return PutBackChanges(registry, plan, made) ? ApplyResult::kPutBack
                                                : ApplyResult::kPartlyChanged;
}
