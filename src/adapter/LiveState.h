// What an interface uses now, read from Windows' IP Helper rather than from
// the registry, and whether Windows uses a configuration after a restart.
//
// The calls sit behind IpHelperCalls, so that the tests can act out every
// answer; LiveState_win.cpp makes the real ones, loading iphlpapi.dll at run
// time. Read on the "NT" family from Windows 2000 on; elsewhere the live
// state is kUnavailable and nothing is checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "config/LiveMatch.h"

// One entry of GetAdaptersInfo.
struct LiveAdapterRecord {
    std::string name;  // AdapterName: the interface's TCP/IP key, "{GUID}"
    std::uint32_t index = 0;
    bool dhcp = false;
    // IpAddressList in order, each address with its mask ("0.0.0.0" for none).
    std::vector<std::string> addresses;
    std::vector<std::string> masks;
    std::vector<unsigned char> hardwareAddress;
};

// One row of GetIpForwardTable, each address's four bytes in order.
struct LiveRoute {
    unsigned char destination[4];
    unsigned char mask[4];
    unsigned char nextHop[4];
    std::uint32_t interfaceIndex;
};

// The IP Helper calls of one reading. Each gives false when the call failed.
class IpHelperCalls {
public:
    virtual ~IpHelperCalls() = default;
    // Whether this Windows can tell at all: the "NT" family from Windows 2000
    // on, with iphlpapi.dll and all four calls.
    virtual bool Available() = 0;
    // GetAdaptersInfo; no adapter at all is an empty list, not a failure.
    virtual bool ListAdapters(std::vector<LiveAdapterRecord>& adapters) = 0;
    // GetPerAdapterInfo's DNS server list, in order.
    virtual bool ReadDnsServers(std::uint32_t index, std::vector<std::string>& servers) = 0;
    // GetIpForwardTable.
    virtual bool ReadRoutes(std::vector<LiveRoute>& routes) = 0;
    // GetIfEntry's dwOperStatus.
    virtual bool ReadOperStatus(std::uint32_t index, std::uint32_t& status) = 0;
};

// The time of the check after a restart; the tests give their own.
class LiveClock {
public:
    virtual ~LiveClock() = default;
    virtual std::uint32_t NowMs() = 0;  // any origin; wraps as GetTickCount does
    virtual void Pause(std::uint32_t ms) = 0;
};

// A card is connected when dwOperStatus is 4 or 5 (connected, operational).
constexpr std::uint32_t kOperStatusConnected = 4;
constexpr std::uint32_t kOperStatusOperational = 5;

// After a restart the live state is read every half second until Windows
// uses the configuration, for 30 seconds at most.
constexpr std::uint32_t kLiveCheckStepMs = 500;
constexpr std::uint32_t kLiveCheckLimitMs = 30000;

// How the check after a restart ended.
struct LiveCheck {
    bool checked = false;  // false: this Windows cannot tell, so nothing was checked
    bool inUse = false;
    std::string difference;  // the first difference left, when not in use
};

// The live state of the interface whose TCP/IP key name is `interfaceKey`:
// the entry whose AdapterName equals it with letter case aside (the first,
// should two), found again at every reading since a restart may renumber it.
LiveState ReadLiveState(IpHelperCalls& calls, const char* interfaceKey);

// The one line the main window's status bar shows for `live`:
// "In use: 192.168.10.25, mask 255.255.255.0, gateway 192.168.10.1, DNS
// 192.168.10.2 and 8.8.8.8" ("In use (DHCP): ..." with DHCP, absent parts
// left out), "Not connected", "Windows does not use this interface now",
// or "" when the live state cannot be read.
std::string LiveStateText(const LiveState& live);

// Reads the live state every `stepMs` until Windows uses `wanted` or
// `limitMs` have passed since the first reading, which comes at once.
LiveCheck WaitForLiveUse(IpHelperCalls& calls, LiveClock& clock, const char* interfaceKey,
                         const Configuration& wanted, std::uint32_t limitMs = kLiveCheckLimitMs,
                         std::uint32_t stepMs = kLiveCheckStepMs);

// Windows only (LiveState_win.cpp): the same with the system's calls and time.
LiveState ReadLiveState(const char* interfaceKey);
LiveCheck WaitForLiveUse(const char* interfaceKey, const Configuration& wanted);
