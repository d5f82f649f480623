#include "adapter/LiveState.h"

#include <algorithm>
#include <cstdio>

#include "common/AsciiCase.h"
#include "common/BoundedText.h"

namespace {

constexpr char kNoAddress[] = "0.0.0.0";

std::string Dotted(const unsigned char (&bytes)[4]) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

bool IsZero(const unsigned char (&bytes)[4]) {
    return bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0;
}

// "00-11-22-33-44-55", as Windows shows a card's address; "" for none.
std::string HardwareText(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        if (!text.empty()) text += '-';
        text += pair;
    }
    return text;
}

// The first text into `field` (bounded), the others into `more`.
void Spread(const std::vector<std::string>& texts, char (&field)[kTextFieldSize],
            std::vector<std::string>& more) {
    for (const std::string& text : texts) {
        if (field[0] == '\0')
            CopyLineText(field, text.c_str());
        else
            more.push_back(text);
    }
}

std::vector<std::string> SetOnly(const std::vector<std::string>& texts) {
    std::vector<std::string> set;
    for (const std::string& text : texts) {
        if (!text.empty() && text != kNoAddress) set.push_back(text);
    }
    return set;
}

// The next hops of the default routes (0.0.0.0 with mask 0.0.0.0) on the
// interface, each once, in the table's order. Routes of other interfaces
// are theirs.
std::vector<std::string> DefaultGateways(const std::vector<LiveRoute>& routes,
                                         std::uint32_t index) {
    std::vector<std::string> gateways;
    for (const LiveRoute& route : routes) {
        if (route.interfaceIndex != index || !IsZero(route.destination) || !IsZero(route.mask))
            continue;
        const std::string gateway = Dotted(route.nextHop);
        if (std::find(gateways.begin(), gateways.end(), gateway) == gateways.end())
            gateways.push_back(gateway);
    }
    return gateways;
}

std::vector<std::string> ShownGateways(const LiveState& live) {
    std::vector<std::string> gateways;
    if (live.configuration.gateway[0] != '\0') gateways.push_back(live.configuration.gateway);
    gateways.insert(gateways.end(), live.moreGateways.begin(), live.moreGateways.end());
    return gateways;
}

std::vector<std::string> ShownDnsServers(const LiveState& live) {
    std::vector<std::string> servers;
    if (live.configuration.dns1[0] != '\0') servers.push_back(live.configuration.dns1);
    if (live.configuration.dns2[0] != '\0') servers.push_back(live.configuration.dns2);
    servers.insert(servers.end(), live.moreDnsServers.begin(), live.moreDnsServers.end());
    return servers;
}

}  // namespace

LiveState ReadLiveState(IpHelperCalls& calls, const char* interfaceKey) {
    LiveState live;
    if (interfaceKey == nullptr || interfaceKey[0] == '\0' || !calls.Available()) return live;
    std::vector<LiveAdapterRecord> adapters;
    if (!calls.ListAdapters(adapters)) return live;
    const auto entry =
        std::find_if(adapters.begin(), adapters.end(), [interfaceKey](const LiveAdapterRecord& a) {
            return EqualIgnoringAsciiCase(a.name.c_str(), interfaceKey);
        });
    if (entry == adapters.end()) {
        live.read = LiveState::Read::kNotListed;
        return live;
    }
    // A half-read state would tell of a gateway or a server that is not
    // missing: any failed call leaves the state unread.
    std::uint32_t status = 0;
    std::vector<std::string> servers;
    std::vector<LiveRoute> routes;
    if (!calls.ReadOperStatus(entry->index, status) ||
        !calls.ReadDnsServers(entry->index, servers) || !calls.ReadRoutes(routes))
        return live;

    live.read = LiveState::Read::kListed;
    live.connected = status == kOperStatusConnected || status == kOperStatusOperational;
    Configuration& now = live.configuration;
    now.dhcpEnabled = entry->dhcp ? 1 : 0;
    for (std::size_t index = 0; index < entry->addresses.size(); ++index) {
        const std::string& address = entry->addresses[index];
        if (address.empty() || address == kNoAddress) continue;
        if (now.ipAddress[0] != '\0') {
            live.moreAddresses.push_back(address);
            continue;
        }
        CopyLineText(now.ipAddress, address.c_str());
        if (index < entry->masks.size()) CopyLineText(now.mask, entry->masks[index].c_str());
    }
    Spread(DefaultGateways(routes, entry->index), now.gateway, live.moreGateways);
    const std::vector<std::string> set = SetOnly(servers);
    if (!set.empty()) CopyLineText(now.dns1, set[0].c_str());
    if (set.size() > 1) CopyLineText(now.dns2, set[1].c_str());
    if (set.size() > 2) live.moreDnsServers.assign(set.begin() + 2, set.end());
    CopyLineText(now.macAddress, HardwareText(entry->hardwareAddress).c_str());
    return live;
}

std::string LiveStateText(const LiveState& live) {
    switch (live.read) {
        case LiveState::Read::kUnavailable:
            return std::string();
        case LiveState::Read::kNotListed:
            return "Windows does not use this interface now";
        case LiveState::Read::kListed:
            break;
    }
    if (!live.connected) return "Not connected";
    const Configuration& now = live.configuration;
    std::string text = now.dhcpEnabled != 0 ? "In use (DHCP): " : "In use: ";
    if (now.ipAddress[0] == '\0') return text + "no address";
    text += now.ipAddress;
    if (now.mask[0] != '\0') text += std::string(", mask ") + now.mask;
    const std::vector<std::string> gateways = ShownGateways(live);
    if (!gateways.empty())
        text += (gateways.size() == 1 ? ", gateway " : ", gateways ") + AddressListText(gateways);
    const std::vector<std::string> servers = ShownDnsServers(live);
    if (!servers.empty()) text += ", DNS " + AddressListText(servers);
    return text;
}

LiveCheck WaitForLiveUse(IpHelperCalls& calls, LiveClock& clock, const char* interfaceKey,
                         const Configuration& wanted, std::uint32_t limitMs, std::uint32_t stepMs) {
    LiveCheck check;
    if (!calls.Available()) return check;
    check.checked = true;
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        check.difference = FirstLiveDifference(wanted, ReadLiveState(calls, interfaceKey));
        check.inUse = check.difference.empty();
        if (check.inUse) return check;
        // Unsigned: a tick count that wrapped still gives the time passed.
        const std::uint32_t passed = clock.NowMs() - start;
        if (passed >= limitMs) return check;
        clock.Pause(std::min(stepMs, limitMs - passed));
    }
}
