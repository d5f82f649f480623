#include "config/LiveMatch.h"

#include "config/ConfigurationMatch.h"
#include "config/Validation.h"

namespace {

// A record's text, never read past its field.
std::string FieldString(const char (&field)[kTextFieldSize]) {
    std::size_t length = 0;
    while (length + 1 < kTextFieldSize && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

// The texts that are set, in order: Apply writes the DNS servers so, and the
// live state lists its gateways and servers so.
std::vector<std::string> SetTexts(std::vector<std::string> texts) {
    std::vector<std::string> set;
    for (std::string& text : texts) {
        if (!text.empty()) set.push_back(std::move(text));
    }
    return set;
}

std::vector<std::string> WithMore(const char (&first)[kTextFieldSize],
                                  const std::vector<std::string>& more) {
    std::vector<std::string> texts(1, FieldString(first));
    texts.insert(texts.end(), more.begin(), more.end());
    return SetTexts(texts);
}

bool SameAddressLists(const std::vector<std::string>& left, const std::vector<std::string>& right) {
    if (left.size() != right.size()) return false;
    for (std::size_t index = 0; index < left.size(); ++index) {
        if (!SameAddressText(left[index].c_str(), right[index].c_str())) return false;
    }
    return true;
}

std::string GatewayDifference(const std::string& wanted, const std::vector<std::string>& gateways) {
    if (wanted.empty()) {
        return gateways.empty() ? std::string() : "another gateway remains: " + gateways.front();
    }
    if (gateways.empty()) return "there is no gateway";
    bool found = false;
    const std::string* other = nullptr;
    for (const std::string& gateway : gateways) {
        if (SameAddressText(wanted.c_str(), gateway.c_str()))
            found = true;
        else if (other == nullptr)
            other = &gateway;
    }
    if (!found) return "the gateway is " + gateways.front();
    // A persistent route left from an earlier gateway: Windows may take either.
    return other != nullptr ? "another gateway remains: " + *other : std::string();
}

std::string DnsDifference(const std::vector<std::string>& wanted,
                          const std::vector<std::string>& servers) {
    if (SameAddressLists(wanted, servers)) return std::string();
    if (servers.empty()) return "there is no DNS server";
    if (servers.size() == 1) return "the DNS server is " + servers.front();
    return "the DNS servers are " + AddressListText(servers);
}

}  // namespace

std::string AddressListText(const std::vector<std::string>& addresses) {
    std::string text;
    for (std::size_t index = 0; index < addresses.size(); ++index) {
        if (index > 0) text += index + 1 == addresses.size() ? " and " : ", ";
        text += addresses[index];
    }
    return text;
}

bool IsAutomaticAddress(const char* address) {
    DottedQuad quad;
    return ParseDottedQuad(address, quad) && quad.parts[0] == 169 && quad.parts[1] == 254;
}

std::string FirstLiveDifference(const Configuration& wanted, const LiveState& live) {
    if (live.read != LiveState::Read::kListed) return "Windows does not list the interface";
    if (!live.connected) return "the interface is not connected";
    const Configuration& now = live.configuration;
    const bool dhcp = wanted.dhcpEnabled != 0;
    if (dhcp != (now.dhcpEnabled != 0)) return dhcp ? "DHCP is off" : "DHCP is still on";

    const std::string address = FieldString(now.ipAddress);
    if (address.empty()) return "there is no address";
    if (dhcp ? IsAutomaticAddress(address.c_str())
             : !SameAddressText(FieldString(wanted.ipAddress).c_str(), address.c_str()))
        return "the address is " + address;
    if (!dhcp) {
        const std::string mask = FieldString(now.mask);
        if (!SameAddressText(FieldString(wanted.mask).c_str(), mask.c_str()))
            return "the mask is " + mask;
        const std::string gateway = GatewayDifference(FieldString(wanted.gateway),
                                                      WithMore(now.gateway, live.moreGateways));
        if (!gateway.empty()) return gateway;
    }

    // The servers as Apply writes them: the ones set, in order. With DHCP
    // on, servers named override the DHCP server's; none named leave them.
    const std::vector<std::string> wantedServers =
        SetTexts({FieldString(wanted.dns1), FieldString(wanted.dns2)});
    if (!dhcp || !wantedServers.empty()) {
        std::vector<std::string> servers = SetTexts({FieldString(now.dns1), FieldString(now.dns2)});
        servers.insert(servers.end(), live.moreDnsServers.begin(), live.moreDnsServers.end());
        const std::string dns = DnsDifference(wantedServers, servers);
        if (!dns.empty()) return dns;
    }

    const std::string mac = FieldString(wanted.macAddress);
    char digits[kTextFieldSize];
    const bool ownMac = NormalizeMacAddress(mac.c_str(), digits) && IsOwnMacAddress(digits);
    const std::string liveMac = FieldString(now.macAddress);
    if (!ownMac && !SameMacText(mac.c_str(), liveMac.c_str()))
        return liveMac.empty() ? "the card gives no MAC address" : "the MAC address is " + liveMac;
    return std::string();
}
