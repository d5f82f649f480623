// Whether Windows uses a configuration: the interface's live state (what its
// network stack holds now, not what the registry says it will take) held
// against the configuration. A rule of its own beside ConfigurationMatches,
// which the notification area's check marks keep; both compare addresses and
// MACs the same way.
#pragma once

#include <string>
#include <vector>

#include "config/Configuration.h"

// What an interface uses now, as a Configuration (its first address and that
// address's mask, its first default gateway, its first two DNS servers, DHCP
// and the hardware address as "00-11-22-33-44-55") plus what a configuration
// cannot hold. Its name is left empty.
struct LiveState {
    enum class Read {
        kUnavailable,  // this Windows cannot tell, or the reading failed
        kNotListed,    // Windows lists no interface of that TCP/IP key
        kListed,
    };
    Read read = Read::kUnavailable;
    bool connected = false;
    Configuration configuration{};
    std::vector<std::string> moreAddresses;
    std::vector<std::string> moreGateways;
    std::vector<std::string> moreDnsServers;
};

// "" when Windows uses `wanted`, else the first difference as the "Complete"
// box says it ("the mask is 255.255.0.0"). Only what `wanted` fixes counts:
// - with DHCP on, DHCP on and an address other than 169.254.x.x; the DNS
//   servers only when `wanted` names them; the gateway not at all;
// - with DHCP off, DHCP off, the address, the mask, the gateway (or none)
//   with no other default gateway, and the DNS servers (or none);
// - the MAC unless it is "" or "Default".
std::string FirstLiveDifference(const Configuration& wanted, const LiveState& live);

inline bool LiveStateMatches(const Configuration& wanted, const LiveState& live) {
    return FirstLiveDifference(wanted, live).empty();
}

// 169.254.x.x: the address Windows gives itself when no DHCP server answers.
bool IsAutomaticAddress(const char* address);

// "10.0.0.1", "10.0.0.1 and 8.8.8.8", "10.0.0.1, 10.0.0.2 and 8.8.8.8".
std::string AddressListText(const std::vector<std::string>& addresses);
