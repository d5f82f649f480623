// Not a test: how long the main window takes to show 10,000 saved
// configurations, how long Apply takes, and how long closing (which saves
// them all) takes; and Apply's registry writes alone, in this process
// against Wine's real registry, beside the same writes made by spawning one
// "reg add" each. Prints "row" lines that scripts/bench.sh makes a table of.
#include <windows.h>

#include <commctrl.h>
#include <iphlpapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Driver.h"
#include "NicsetFixture.h"
#include "adapter/InterfaceSettings.h"
#include "adapter/LiveState.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Win32Registry.h"
#include "common/BoundedText.h"
#include "config/ConfigurationList.h"
#include "resource.h"
#include "ui/ConfigurationRows.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kConfigurations = 10000;
constexpr int kRuns = 5;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The main window as soon as it exists, shown or not.
HWND FindMainWindowOf(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", "Nicset v1.0")) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

// One table row: what, best and median in ms, runs, and a remark. A row
// without times (the program refused the work) gives its remark alone.
void Row(const char* what, std::vector<double> times, const char* remark) {
    if (times.empty()) {
        std::printf("row\t%s\t-\t-\t0\t%s\n", what, remark);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("row\t%s\t%.1f\t%.1f\t%d\t%s\n", what, times.front(), times[times.size() / 2],
                static_cast<int>(times.size()), remark);
}

const Adapter kBenchAdapter = {"0000",
                               "{6B1F4E3A-9C2D-4A7E-8F10-3D5C2B7A9E41}",
                               "Bench adapter",
                               "",
                               false,
                               "192.168.1.20",
                               "255.255.255.0",
                               "192.168.1.1",
                               ""};

// The configurations the window benchmarks load: `count` of them, each name
// and address different.
std::vector<SavedConfiguration> Configurations(int count) {
    std::vector<SavedConfiguration> saved;
    for (int i = 0; i < count; ++i) {
        saved.push_back({"Configuration " + std::to_string(i), i % 2 == 0,
                         "10." + std::to_string(i / 62500) + "." + std::to_string(i / 250 % 250) +
                             "." + std::to_string(i % 250 + 1),
                         "Default", "255.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3"});
    }
    return saved;
}

struct WindowTimes {
    std::vector<double> fill, apply, gone, close;
    std::string refused;  // the error a refused load showed, if one did
};

class UiBenchmark : public NicsetTest {
protected:
    WindowTimes TimeWindow(std::size_t rows, int runs, bool apply);
};

// Starts Nicset on the file already written `runs` times and times the way
// from the main window's creation (the splash's end) to a list view with
// every row, optionally Apply, and Exit (which saves them all).
WindowTimes UiBenchmark::TimeWindow(std::size_t rows, int runs, bool apply) {
    WindowTimes times;
    for (int run = 0; run < runs; ++run) {
        nicset_.reset(new NicsetProcess(directory_));
        // Polled without a pause, to see the moment of creation; a minute at most.
        const Clock::time_point launched = Clock::now();
        const auto late = [launched] { return Milliseconds(launched, Clock::now()) > kMustComeMs; };
        HWND main = nullptr;
        while ((main = FindMainWindowOf(nicset_->Id())) == nullptr && !late())
            Sleep(0);
        const Clock::time_point created = Clock::now();
        HWND view = nullptr;
        while (main != nullptr && (view = GetDlgItem(main, IDC_CONFIGURATIONS)) == nullptr &&
               !late())
            Sleep(0);
        if (view == nullptr) {
            ADD_FAILURE() << "no main window with its list within a minute";
            return times;
        }
        // Answered only once the window has finished initialising.
        const LRESULT shown = SendMessageA(view, LVM_GETITEMCOUNT, 0, 0);
        const double filled = Milliseconds(created, Clock::now());
        // A load that cannot hold the file (a 32-bit program and the hostile
        // file) says so, and the list keeps what was read: no time to report.
        MessageBoxSeen refusal = WaitForMessageBox(*nicset_, "Error", kMustNotComeMs);
        if (refusal.window != nullptr) {
            times.refused = refusal.text;
            AnswerMessageBox(refusal.window, IDOK);
        } else {
            times.fill.push_back(filled);
            if (static_cast<std::size_t>(shown) != rows)
                std::printf("only %ld rows\n", static_cast<long>(shown));
        }
        main_ = nicset_->WaitForMainWindow();

        if (apply) {
            PickInterface("Bench adapter");
            SelectListViewRow(*nicset_, GetDlgItem(main_, IDC_CONFIGURATIONS), 0);
            const Clock::time_point pressed = Clock::now();
            ClickButton(main_, IDC_APPLY);
            MessageBoxSeen box = WaitForMessageBox(*nicset_, "Complete");
            times.apply.push_back(Milliseconds(pressed, Clock::now()));
            AnswerMessageBox(box.window, IDOK);
        }

        const Clock::time_point closing = Clock::now();
        HWND closed = main_;
        ClickButton(closed, IDC_EXIT);
        // A save that must not replace a file it could not read whole says so.
        WaitUntil([&] {
            if (HWND box = nicset_->FindDialog("Error")) AnswerMessageBox(box, IDOK);
            return !IsWindow(closed);
        });
        times.gone.push_back(Milliseconds(closing, Clock::now()));
        DWORD status = 0;
        EXPECT_TRUE(nicset_->WaitForExit(kMustComeMs, &status));
        times.close.push_back(Milliseconds(closing, Clock::now()));
        main_ = nullptr;
    }
    return times;
}

TEST_F(UiBenchmark, TenThousandConfigurations) {
    SeedAdapters({kBenchAdapter});
    WriteConfigFile(Configurations(kConfigurations));
    const WindowTimes times = TimeWindow(kConfigurations, kRuns, true);
    Row("main window created -> list view filled (10,000)", times.fill, "");
    Row("Apply pressed -> \"Complete\" shown", times.apply, "mostly the message box");
    Row("Exit pressed -> main window gone (saves 10,000)", times.gone, "");
    Row("Exit pressed -> process ended", times.close, "");
}

TEST_F(UiBenchmark, HundredThousandConfigurations) {
    SeedAdapters({kBenchAdapter});
    WriteConfigFile(Configurations(100000));
    const WindowTimes times = TimeWindow(100000, kRuns, false);
    Row("100,000: splash ended -> list view filled", times.fill, "");
    Row("100,000: Exit pressed -> main window gone", times.gone, "");
}

// 20 MB of lines that each complete a record: the most records a file of
// that size can give.
TEST_F(UiBenchmark, HostileFile) {
    SeedAdapters({kBenchAdapter});
    std::string hostile;
    const std::string line = "2- Sevidor DNS:\n";
    while (hostile.size() + line.size() <= (20u << 20))
        hostile += line;
    WriteFileBytes(WorkPath("Nicset.conf"), hostile);
    const std::size_t records = hostile.size() / line.size();
    const WindowTimes times = TimeWindow(records, 1, false);
    const std::string remark = times.refused.empty()
                                   ? std::to_string(records) + " records"
                                   : "refused: \"" + times.refused + "\" (memory)";
    Row("hostile 20 MB: splash ended -> list view filled", times.fill, remark.c_str());
    Row("hostile 20 MB: Exit pressed -> main window gone", times.gone, "");
}

// The "reg add" that makes one of Apply's writes.
double SpawnRegAdd(const std::string& arguments) {
    std::string command = "reg.exe add " + arguments + " /f";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command;
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(status, 0u) << command;
    return Milliseconds(start, Clock::now());
}

TEST_F(UiBenchmark, ApplyAlone) {
    const Adapter& adapter = kBenchAdapter;
    SeedAdapters({adapter});
    PlatformProfile profile;
    SelectPlatformProfile(0, profile);  // the NT family, which the fixture seeded
    AdapterEntry entry{};
    CopyText(entry.interfaceKey, adapter.instanceId.c_str());
    CopyText(entry.classSubkey, adapter.subkey.c_str());
    CopyText(entry.description, adapter.description.c_str());
    Configuration configuration{};
    CopyText(configuration.ipAddress, "10.1.2.3");
    CopyText(configuration.mask, "255.255.255.0");
    CopyText(configuration.gateway, "10.1.2.1");
    CopyText(configuration.dns1, "10.1.2.4");
    CopyText(configuration.dns2, "10.1.2.5");
    CopyText(configuration.macAddress, "00A0C9112233");

    Win32Registry registry;
    std::vector<double> alone;
    for (int run = 0; run < 20; ++run) {
        const Clock::time_point start = Clock::now();
        const bool failed =
            ApplyFailed(ApplyInterfaceSettings(registry, profile, entry, configuration));
        alone.push_back(Milliseconds(start, Clock::now()));
        EXPECT_FALSE(failed);
    }

    // The same six values, one process each.
    const std::string tcpip = "\"HKLM\\" + profile.tcpipBasePath + adapter.instanceId + "\"";
    const std::string adapterClass =
        "\"HKLM\\" + profile.adapterClassBasePath + adapter.subkey + "\"";
    const std::string writes[] = {
        tcpip + " /v EnableDHCP /t REG_DWORD /d 0",
        tcpip + " /v IPAddress /t REG_MULTI_SZ /d 10.1.2.3",
        tcpip + " /v DefaultGateway /t REG_MULTI_SZ /d 10.1.2.1",
        tcpip + " /v SubnetMask /t REG_MULTI_SZ /d 255.255.255.0",
        tcpip + " /v NameServer /t REG_SZ /d 10.1.2.4,10.1.2.5",
        adapterClass + " /v NetworkAddress /t REG_SZ /d 00A0C9112233",
    };
    std::vector<double> spawned;
    for (int run = 0; run < 5; ++run) {
        double total = 0;
        for (const std::string& write : writes)
            total += SpawnRegAdd(write);
        spawned.push_back(total);
    }
    std::sort(alone.begin(), alone.end());
    std::sort(spawned.begin(), spawned.end());
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "%.0fx the in-process median",
                  spawned[spawned.size() / 2] / std::max(alone[alone.size() / 2], 0.001));
    Row("Apply alone: 6 writes, in-process, real registry", alone, "");
    Row("the same 6 writes as 6 \"reg add\" processes", spawned, ratio);
}

// Where a fill's time goes now that the list view holds no rows: taking the
// rows from the list and sorting them by name, in this process.
TEST(UiProfile, ListRows) {
    const struct {
        int records;
        bool sameName;
        const char* what;
    } lists[] = {
        {kConfigurations, false, "list rows taken and sorted: 10,000 names"},
        {100000, false, "list rows taken and sorted: 100,000 names"},
        {1310720, true, "list rows taken and sorted: 1,310,720 equal names"},
    };
    for (const auto& list : lists) {
        ConfigurationList configurations;
        configurations.Reserve(static_cast<std::size_t>(list.records));
        Configuration record{};
        CopyText(record.ipAddress, "10.0.0.1");
        for (int i = 0; i < list.records; ++i) {
            // Stored in an order unlike the sorted one.
            if (!list.sameName)
                std::snprintf(record.name, sizeof record.name, "Name %d", i * 7919 % list.records);
            configurations.Append(record);
        }
        std::vector<double> times;
        for (int run = 0; run < (list.records > kConfigurations ? 1 : kRuns); ++run) {
            ConfigurationRows rows;
            const Clock::time_point start = Clock::now();
            EXPECT_TRUE(rows.Fill(configurations));
            times.push_back(Milliseconds(start, Clock::now()));
            EXPECT_EQ(rows.Size(), configurations.Size());
        }
        Row(list.what, times, "");
    }
}

// What the status bar reads on a pick, after an Apply and every few seconds:
// one interface's live state through IP Helper (the first one Wine lists
// with an address).
TEST(UiProfile, LiveStateRead) {
    ULONG size = 0;
    std::string name;
    if (GetAdaptersInfo(nullptr, &size) == ERROR_BUFFER_OVERFLOW) {
        std::vector<ULONGLONG> room(size / sizeof(ULONGLONG) + 1);
        auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(room.data());
        for (size = GetAdaptersInfo(info, &size) == NO_ERROR ? size : 0;
             info != nullptr && size != 0; info = info->Next) {
            // The first with an address, or else the first.
            const bool addressed = std::string(info->IpAddressList.IpAddress.String) != "0.0.0.0";
            if (name.empty() || addressed) name = info->AdapterName;
            if (addressed) break;
        }
    }
    std::vector<double> times;
    std::string shown;
    for (int run = 0; name.empty() ? false : run < 50; ++run) {
        const Clock::time_point start = Clock::now();
        shown = LiveStateText(ReadLiveState(name.c_str()));
        times.push_back(Milliseconds(start, Clock::now()));
    }
    Row("live state read: one interface (status bar)", times,
        name.empty() ? "Wine lists no interface" : ("\"" + shown + "\"").c_str());
}

}  // namespace
}  // namespace e2e
