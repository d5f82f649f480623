#include "adapter/LiveState.h"

#include <windows.h>

#include <iphlpapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "adapter/SystemLibrary.h"

// iphlpapi.dll is loaded when a reading asks for it, never imported: the
// 32-bit program must still start on the "98" family, whose IP Helper lacks
// GetPerAdapterInfo, and on Windows 95 and NT 4.0, which may have none.

namespace {

// A call that says how much room it needs is asked again with that much a
// few times: a card may come up between the two calls. The first call gets
// room for a usual machine, so that one call does (GetAdaptersInfo alone
// takes some milliseconds under Wine).
constexpr int kSizeAttempts = 4;
constexpr ULONG kUsualAdapters = 16;
constexpr ULONG kUsualRoutes = 64;
constexpr ULONG kUsualServerBytes = 1024;

constexpr unsigned kWindows2000 = 5;

// The NT family (the version word's high bit clear) from Windows 2000 on.
bool ReadsLiveState() {
    const DWORD version = GetVersion();
    return (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) >= kWindows2000;
}

// Loaded once and kept for the life of the process: the status bar reads
// every few seconds.
void* SystemIpHelper() {
    std::uint32_t error = 0;
    static void* const library = LoadSystemLibrary("iphlpapi.dll", error);
    return library;
}

// IP_ADDR_STRING's texts hold 15 characters and need not end in a zero.
std::string AddressText(const char (&text)[16]) {
    return std::string(text, strnlen(text, sizeof text));
}

void Bytes(DWORD networkOrder, unsigned char (&bytes)[4]) {
    std::memcpy(bytes, &networkOrder, sizeof bytes);
}

// Room for a call's answer, aligned for the structures it holds.
class Answer {
public:
    void* Resize(ULONG bytes) {
        words_.assign(bytes / sizeof(ULONGLONG) + 1, 0);
        return words_.data();
    }
    void* Data() { return words_.data(); }

private:
    std::vector<ULONGLONG> words_;
};

class SystemIpHelperCalls : public IpHelperCalls {
public:
    SystemIpHelperCalls() {
        if (!ReadsLiveState()) return;
        void* library = SystemIpHelper();
        available_ = library != nullptr && FindFunction(library, "GetAdaptersInfo", adaptersInfo_) &&
                     FindFunction(library, "GetPerAdapterInfo", perAdapterInfo_) &&
                     FindFunction(library, "GetIpForwardTable", forwardTable_) &&
                     FindFunction(library, "GetIfEntry", ifEntry_);
    }

    bool Available() override { return available_; }

    bool ListAdapters(std::vector<LiveAdapterRecord>& adapters) override {
        Answer answer;
        ULONG size = kUsualAdapters * sizeof(IP_ADAPTER_INFO);
        DWORD result = ERROR_BUFFER_OVERFLOW;
        for (int attempt = 0; attempt < kSizeAttempts && result == ERROR_BUFFER_OVERFLOW; ++attempt)
            result = adaptersInfo_(static_cast<IP_ADAPTER_INFO*>(answer.Resize(size)), &size);
        if (result == ERROR_NO_DATA) return true;
        if (result != NO_ERROR) return false;
        for (const IP_ADAPTER_INFO* info = static_cast<const IP_ADAPTER_INFO*>(answer.Data());
             info != nullptr; info = info->Next) {
            LiveAdapterRecord record;
            record.name.assign(info->AdapterName,
                               strnlen(info->AdapterName, sizeof info->AdapterName));
            record.index = info->Index;
            record.dhcp = info->DhcpEnabled != 0;
            for (const IP_ADDR_STRING* address = &info->IpAddressList; address != nullptr;
                 address = address->Next) {
                record.addresses.push_back(AddressText(address->IpAddress.String));
                record.masks.push_back(AddressText(address->IpMask.String));
            }
            const UINT length = info->AddressLength < sizeof info->Address
                                    ? info->AddressLength
                                    : static_cast<UINT>(sizeof info->Address);
            record.hardwareAddress.assign(info->Address, info->Address + length);
            adapters.push_back(record);
        }
        return true;
    }

    bool ReadDnsServers(std::uint32_t index, std::vector<std::string>& servers) override {
        Answer answer;
        ULONG size = kUsualServerBytes;
        DWORD result = ERROR_BUFFER_OVERFLOW;
        for (int attempt = 0; attempt < kSizeAttempts && result == ERROR_BUFFER_OVERFLOW; ++attempt)
            result = perAdapterInfo_(index, static_cast<IP_PER_ADAPTER_INFO*>(answer.Resize(size)),
                                     &size);
        if (result != NO_ERROR) return false;
        const auto* info = static_cast<const IP_PER_ADAPTER_INFO*>(answer.Data());
        for (const IP_ADDR_STRING* server = &info->DnsServerList; server != nullptr;
             server = server->Next)
            servers.push_back(AddressText(server->IpAddress.String));
        return true;
    }

    bool ReadRoutes(std::vector<LiveRoute>& routes) override {
        Answer answer;
        ULONG size = sizeof(MIB_IPFORWARDTABLE) + kUsualRoutes * sizeof(MIB_IPFORWARDROW);
        DWORD result = ERROR_INSUFFICIENT_BUFFER;
        for (int attempt = 0; attempt < kSizeAttempts && result == ERROR_INSUFFICIENT_BUFFER;
             ++attempt)
            result =
                forwardTable_(static_cast<MIB_IPFORWARDTABLE*>(answer.Resize(size)), &size, FALSE);
        if (result == ERROR_NO_DATA) return true;
        if (result != NO_ERROR) return false;
        const auto* table = static_cast<const MIB_IPFORWARDTABLE*>(answer.Data());
        for (DWORD row = 0; row < table->dwNumEntries; ++row) {
            const MIB_IPFORWARDROW& entry = table->table[row];
            LiveRoute route;
            Bytes(entry.dwForwardDest, route.destination);
            Bytes(entry.dwForwardMask, route.mask);
            Bytes(entry.dwForwardNextHop, route.nextHop);
            route.interfaceIndex = entry.dwForwardIfIndex;
            routes.push_back(route);
        }
        return true;
    }

    bool ReadOperStatus(std::uint32_t index, std::uint32_t& status) override {
        MIB_IFROW row;
        std::memset(&row, 0, sizeof row);
        row.dwIndex = index;
        if (ifEntry_(&row) != NO_ERROR) return false;
        status = static_cast<std::uint32_t>(row.dwOperStatus);
        return true;
    }

private:
    bool available_ = false;
    decltype(&::GetAdaptersInfo) adaptersInfo_ = nullptr;
    decltype(&::GetPerAdapterInfo) perAdapterInfo_ = nullptr;
    decltype(&::GetIpForwardTable) forwardTable_ = nullptr;
    decltype(&::GetIfEntry) ifEntry_ = nullptr;
};

class SystemClock : public LiveClock {
public:
    std::uint32_t NowMs() override { return GetTickCount(); }
    void Pause(std::uint32_t ms) override { Sleep(ms); }
};

}  // namespace

LiveState ReadLiveState(const char* interfaceKey) {
    SystemIpHelperCalls calls;
    return ReadLiveState(calls, interfaceKey);
}

LiveCheck WaitForLiveUse(const char* interfaceKey, const Configuration& wanted) {
    SystemIpHelperCalls calls;
    SystemClock clock;
    return WaitForLiveUse(calls, clock, interfaceKey, wanted);
}
