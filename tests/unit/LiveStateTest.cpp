#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "adapter/LiveState.h"
#include "config/LiveMatch.h"

namespace {

const char kGuid[] = "{00000004-0000-0000-0000-4E6574446576}";

LiveAdapterRecord Card(const std::string& name, std::uint32_t index, const std::string& address,
                       const std::string& mask, bool dhcp = false) {
    LiveAdapterRecord card;
    card.name = name;
    card.index = index;
    card.dhcp = dhcp;
    card.addresses = {address};
    card.masks = {mask};
    card.hardwareAddress = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    return card;
}

LiveRoute Route(const char* destination, std::uint32_t index, unsigned char hop) {
    LiveRoute route = {{0, 0, 0, 0}, {0, 0, 0, 0}, {192, 168, 10, hop}, index};
    if (destination != nullptr) route.destination[0] = route.mask[0] = 192;  // not a default one
    return route;
}

// What IP Helper answers; reading n gets adapters[n] (the last one after).
class ScriptedIpHelper : public IpHelperCalls {
public:
    bool available = true;
    std::vector<std::vector<LiveAdapterRecord>> adapters = {
        {Card(kGuid, 7, "192.168.10.25", "255.255.255.0")}};
    std::vector<std::string> dns = {"192.168.10.2", "8.8.8.8"};
    std::vector<LiveRoute> routes = {Route(nullptr, 7, 1)};
    std::uint32_t operStatus = kOperStatusOperational;
    bool listFails = false, dnsFails = false;
    int reads = 0;
    std::uint32_t askedIndex = 0;

    bool Available() override { return available; }
    bool ListAdapters(std::vector<LiveAdapterRecord>& list) override {
        const std::size_t n = static_cast<std::size_t>(reads++);
        list = adapters[n < adapters.size() ? n : adapters.size() - 1];
        return !listFails;
    }
    bool ReadDnsServers(std::uint32_t index, std::vector<std::string>& servers) override {
        askedIndex = index;
        servers = dns;
        return !dnsFails;
    }
    bool ReadRoutes(std::vector<LiveRoute>& table) override {
        table = routes;
        return true;
    }
    bool ReadOperStatus(std::uint32_t, std::uint32_t& status) override {
        status = operStatus;
        return true;
    }
};

class FakeClock : public LiveClock {
public:
    std::uint32_t now = 0xFFFFF000u;  // wraps during the wait, as GetTickCount may
    std::uint32_t paused = 0;
    std::uint32_t NowMs() override { return now; }
    void Pause(std::uint32_t ms) override {
        paused += ms;
        now += ms;
    }
};

TEST(LiveStateTest, FindsTheInterfaceAgainAndSaysWhatItUses) {
    const std::string inUse =
        "In use: 192.168.10.25, mask 255.255.255.0, gateway 192.168.10.1, DNS 192.168.10.2 and "
        "8.8.8.8";
    const LiveAdapterRecord other =
        Card("{11111111-0000-0000-0000-000000000000}", 3, "10.0.0.5", "255.0.0.0");
    struct Row {
        const char* what;
        std::function<void(ScriptedIpHelper&)> change;
        std::string key;
        std::string text;
    };
    const Row rows[] = {
        {"as listed", [](ScriptedIpHelper&) {}, kGuid, inUse},
        {"the key in another letter case", [](ScriptedIpHelper&) {},
         "{00000004-0000-0000-0000-4e6574446576}", inUse},
        {"no entry", [&](ScriptedIpHelper& s) { s.adapters = {{other}}; }, kGuid,
         "Windows does not use this interface now"},
        {"after another entry",
         [&](ScriptedIpHelper& s) { s.adapters[0].insert(s.adapters[0].begin(), other); }, kGuid,
         inUse},
        {"two entries of the key: the first",
         [](ScriptedIpHelper& s) {
             s.adapters[0].push_back(Card(kGuid, 7, "10.9.9.9", "255.0.0.0"));
         },
         kGuid, inUse},
        {"no link", [](ScriptedIpHelper& s) { s.operStatus = 2; }, kGuid, "Not connected"},
        {"connected but not operational",
         [](ScriptedIpHelper& s) { s.operStatus = kOperStatusConnected; }, kGuid, inUse},
        {"DHCP", [](ScriptedIpHelper& s) { s.adapters[0][0].dhcp = true; }, kGuid,
         "In use (DHCP): " + inUse.substr(8)},
        {"no gateway, one server",
         [](ScriptedIpHelper& s) {
             s.routes.clear();
             s.dns = {"192.168.10.2", ""};
         },
         kGuid, "In use: 192.168.10.25, mask 255.255.255.0, DNS 192.168.10.2"},
        {"a second default route on the card; other routes and cards' routes aside",
         [](ScriptedIpHelper& s) {
             s.routes = {Route("192", 7, 9), Route(nullptr, 3, 8), Route(nullptr, 7, 1),
                         Route(nullptr, 7, 254), Route(nullptr, 7, 1)};
             s.dns.clear();
         },
         kGuid,
         "In use: 192.168.10.25, mask 255.255.255.0, gateways 192.168.10.1 and 192.168.10.254"},
        {"no address yet",
         [](ScriptedIpHelper& s) { s.adapters[0][0] = Card(kGuid, 7, "0.0.0.0", "0.0.0.0", true); },
         kGuid, "In use (DHCP): no address"},
        {"not on this Windows", [](ScriptedIpHelper& s) { s.available = false; }, kGuid, ""},
        {"the list fails", [](ScriptedIpHelper& s) { s.listFails = true; }, kGuid, ""},
        {"the servers fail: no half-read state", [](ScriptedIpHelper& s) { s.dnsFails = true; },
         kGuid, ""},
        {"no interface picked", [](ScriptedIpHelper&) {}, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedIpHelper calls;
        row.change(calls);
        const LiveState live = ReadLiveState(calls, row.key.c_str());
        EXPECT_EQ(LiveStateText(live), row.text);
        if (row.text == inUse) {
            EXPECT_EQ(calls.askedIndex, 7u);
            EXPECT_STREQ(live.configuration.macAddress, "00-11-22-33-44-55");
        }
    }
}

// One row per difference, in the order the box names the first one.
TEST(LiveStateTest, TheLiveRuleNamesTheFirstDifference) {
    using C = Configuration;
    LiveState same;
    same.read = LiveState::Read::kListed;
    same.connected = true;
    same.configuration = MakeRecord({"", false, "10.1.1.1", "02-A0-C9-11-22-33", "255.0.0.0",
                                     "10.1.1.9", "9.9.9.9", "8.8.8.8"});
    // A DHCP lease, its gateways and servers the DHCP server's.
    LiveState leased = same;
    leased.configuration = MakeRecord({"", true, "192.168.1.5", "00-11-22-33-44-55", "255.255.0.0",
                                       "192.168.1.1", "192.168.1.1"});
    leased.moreGateways = {"192.168.1.254"};
    // DHCP wanted or not; a field of the wanted and one of the live state, each set to a text.
    const std::tuple<bool, char(C::*)[kTextFieldSize], const char*, char(C::*)[kTextFieldSize],
                     const char*, std::string>
        rows[] = {
            {false, nullptr, "", nullptr, "", ""},
            {false, nullptr, "", &C::ipAddress, "", "there is no address"},
            {false, nullptr, "", &C::ipAddress, "169.254.7.9", "the address is 169.254.7.9"},
            {false, &C::ipAddress, "010.1.1.001", nullptr, "", ""},  // four numbers
            {false, nullptr, "", &C::mask, "255.255.0.0", "the mask is 255.255.0.0"},
            {false, nullptr, "", &C::gateway, "10.0.0.1", "the gateway is 10.0.0.1"},
            {false, nullptr, "", &C::gateway, "", "there is no gateway"},
            {false, &C::gateway, "", nullptr, "", "another gateway remains: 10.1.1.9"},
            {false, nullptr, "", &C::dns1, "10.0.0.1", "the DNS servers are 10.0.0.1 and 8.8.8.8"},
            {false, nullptr, "", &C::dns2, "", "the DNS server is 9.9.9.9"},
            {false, &C::dns1, "", &C::dns1, "", ""},  // a second server alone reads as the first
            {false, nullptr, "", &C::macAddress, "02-A0-C9-11-22-34",
             "the MAC address is 02-A0-C9-11-22-34"},
            {false, &C::macAddress, "02:a0:c9:11:22:33", nullptr, "", ""},
            {false, &C::macAddress, "default", &C::macAddress, "02-A0-C9-11-22-34", ""},
            {false, &C::macAddress, "", &C::macAddress, "02-A0-C9-11-22-34", ""},
            {true, nullptr, "", nullptr, "", ""},
            {true, nullptr, "", &C::ipAddress, "169.254.7.9", "the address is 169.254.7.9"},
            {true, &C::dns1, "1.1.1.1", nullptr, "", "the DNS server is 192.168.1.1"},
            {true, &C::dns2, "192.168.1.1", nullptr, "", ""},  // written as the first
        };
    for (const auto& [dhcp, wantedField, wantedText, liveField, liveText, difference] : rows) {
        SCOPED_TRACE(difference + (wantedField != nullptr ? " / " + std::string(wantedText) : ""));
        Configuration wanted =
            dhcp ? MakeRecord({"Home", true, "", "Default"}) : same.configuration;
        LiveState live = dhcp ? leased : same;
        if (wantedField != nullptr) CopyText(wanted.*wantedField, wantedText);
        if (liveField != nullptr) CopyText(live.configuration.*liveField, liveText);
        EXPECT_EQ(FirstLiveDifference(wanted, live), difference);
        EXPECT_EQ(LiveStateMatches(wanted, live), difference.empty());
    }
    // What a configuration cannot hold, and the order when several differ.
    const Configuration office = same.configuration;
    LiveState live = same;
    live.moreGateways = {"10.0.0.1"};
    EXPECT_EQ(FirstLiveDifference(office, live), "another gateway remains: 10.0.0.1");
    live = same;
    live.moreDnsServers = {"1.1.1.1"};
    EXPECT_EQ(FirstLiveDifference(office, live),
              "the DNS servers are 9.9.9.9, 8.8.8.8 and 1.1.1.1");
    live.configuration.dhcpEnabled = 1;
    EXPECT_EQ(FirstLiveDifference(office, live), "DHCP is still on");
    live.connected = false;
    EXPECT_EQ(FirstLiveDifference(office, live), "the interface is not connected");
    live.read = LiveState::Read::kNotListed;
    EXPECT_EQ(FirstLiveDifference(office, live), "Windows does not list the interface");
    EXPECT_EQ(FirstLiveDifference(MakeRecord({"", true}), same), "DHCP is off");
}

TEST(LiveStateTest, WaitsForTheConfigurationAtMostTheLimit) {
    const Configuration wanted = MakeRecord({"", false, "192.168.10.25", "", "255.255.255.0",
                                             "192.168.10.1", "192.168.10.2", "8.8.8.8"});
    const LiveAdapterRecord automatic = Card(kGuid, 9, "169.254.7.9", "255.255.0.0");
    const LiveAdapterRecord ready = Card(kGuid, 9, "192.168.10.25", "255.255.255.0");
    // Whether checked and in use, the difference, the readings and the time paused.
    const auto waited = [&](std::vector<std::vector<LiveAdapterRecord>> readings,
                            std::uint32_t limit, bool available = true) {
        ScriptedIpHelper calls;
        calls.available = available;
        calls.adapters = readings;
        calls.routes = {Route(nullptr, 9, 1)};
        FakeClock clock;
        const LiveCheck check = WaitForLiveUse(calls, clock, kGuid, wanted, limit);
        return std::to_string(check.checked) + std::to_string(check.inUse) + " " +
               check.difference + ", " + std::to_string(calls.reads) + " readings, " +
               std::to_string(clock.paused) + " ms";
    };
    EXPECT_EQ(waited({{ready}}, 30000), "11 , 1 readings, 0 ms");
    // A restart renumbers the card: found again by its name.
    EXPECT_EQ(waited({{}, {automatic}, {ready}}, 30000), "11 , 3 readings, 1000 ms");
    EXPECT_EQ(waited({{}, {}, {automatic}}, 1200),
              "10 the address is 169.254.7.9, 4 readings, 1200 ms");
    EXPECT_EQ(waited({{ready}}, 30000, false), "00 , 0 readings, 0 ms");
}

}  // namespace
