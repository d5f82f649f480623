// Not a test: how long the main window takes to show 10,000 saved
// configurations, how long Apply takes, and how long closing (which saves
// them all) takes; and Apply's registry writes alone, in this process
// against Wine's real registry, beside the same writes made by spawning one
// "reg add" each. Prints "row" lines that scripts/bench.sh makes a table of.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Driver.h"
#include "NicsetFixture.h"
#include "adapter/InterfaceSettings.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Win32Registry.h"
#include "common/BoundedText.h"
#include "resource.h"

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

// One table row: what, best and median in ms, runs, and a remark.
void Row(const char* what, std::vector<double> times, const char* remark) {
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

using UiBenchmark = NicsetTest;

TEST_F(UiBenchmark, TenThousandConfigurations) {
    const Adapter& adapter = kBenchAdapter;
    SeedAdapters({adapter});
    std::vector<SavedConfiguration> saved;
    for (int i = 0; i < kConfigurations; ++i) {
        saved.push_back({"Configuration " + std::to_string(i), i % 2 == 0,
                         "10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1),
                         "Default", "255.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3"});
    }
    WriteConfigFile(saved);

    std::vector<double> fill, apply, gone, close;
    for (int run = 0; run < kRuns; ++run) {
        nicset_.reset(new NicsetProcess(directory_));
        HWND main = nullptr;
        while ((main = FindMainWindowOf(Process().Id())) == nullptr)
            Sleep(0);
        const Clock::time_point created = Clock::now();
        HWND view = nullptr;
        while ((view = GetDlgItem(main, IDC_CONFIGURATIONS)) == nullptr)
            Sleep(0);
        // Answered only once the window has finished initialising.
        const LRESULT rows = SendMessageA(view, LVM_GETITEMCOUNT, 0, 0);
        fill.push_back(Milliseconds(created, Clock::now()));
        if (rows != kConfigurations) std::printf("only %ld rows\n", static_cast<long>(rows));
        main_ = Process().WaitForMainWindow();

        PickInterface("Bench adapter");
        PickConfiguration("Configuration 5000");
        const Clock::time_point pressed = Clock::now();
        ClickButton(main_, IDC_APPLY);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Complete");
        apply.push_back(Milliseconds(pressed, Clock::now()));
        AnswerMessageBox(box.window, IDOK);

        const Clock::time_point closing = Clock::now();
        HWND closed = main_;
        ClickButton(closed, IDC_EXIT);
        WaitUntil([closed] { return !IsWindow(closed); }, 60000);
        gone.push_back(Milliseconds(closing, Clock::now()));
        DWORD status = 0;
        EXPECT_TRUE(Process().WaitForExit(60000, &status));
        close.push_back(Milliseconds(closing, Clock::now()));
        main_ = nullptr;
    }
    Row("main window created -> list view filled (10,000)", fill, "");
    Row("Apply pressed -> \"Complete\" shown", apply, "mostly the message box");
    Row("Exit pressed -> main window gone (saves 10,000)", gone, "");
    Row("Exit pressed -> process ended", close, "");
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
        const bool failed = ApplyInterfaceSettings(registry, profile, entry, configuration);
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

// Where a fill's time goes in the list view itself: the main window's list
// view (same styles, 10,000 rows) made in this process and filled in
// several ways, one part of the work left out at a time.
// (Rows handed over first name first, to the sorted style, take minutes: the
// control then compares each new row with every row it has.)
enum class Fill { SortedReverse, SortedReverseNoCell, Unsorted, UnsortedNoCell };

struct FillTimes {
    double fill;
    double destroy;
};

FillTimes FillListView(Fill fill, int rows) {
    DWORD style = WS_CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    if (fill != Fill::Unsorted && fill != Fill::UnsortedNoCell) style |= LVS_SORTASCENDING;
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND view = CreateWindowExA(0, WC_LISTVIEWA, "", style, 0, 0, 344, 190, parent, nullptr,
                                nullptr, nullptr);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_WIDTH | LVCF_TEXT;
        header.cx = column == 0 ? 140 : 93;
        header.pszText = const_cast<char*>(column == 0 ? "Name" : "IP Address");
        SendMessageA(view, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    }
    std::vector<std::string> names;
    for (int i = 0; i < rows; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Configuration %05d", i);
        names.push_back(name);
    }
    const bool reverse = fill == Fill::SortedReverse || fill == Fill::SortedReverseNoCell;
    const bool cell = fill != Fill::SortedReverseNoCell && fill != Fill::UnsortedNoCell;
    const Clock::time_point start = Clock::now();
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < rows; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = reverse ? 65536 : i;
        item.pszText = &names[reverse ? rows - 1 - i : i][0];
        const int row = static_cast<int>(
            SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (!cell) continue;
        item.iItem = row;
        item.iSubItem = 1;
        item.pszText = const_cast<char*>("10.0.0.1");
        SendMessageA(view, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    const double taken = Milliseconds(start, Clock::now());
    EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), rows);
    const Clock::time_point destroying = Clock::now();
    DestroyWindow(parent);
    return {taken, Milliseconds(destroying, Clock::now())};
}

TEST(UiProfile, ListViewFill) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const struct {
        Fill fill;
        const char* what;
    } fills[] = {
        {Fill::SortedReverse, "list view alone: sorted style, last name first (as before)"},
        {Fill::SortedReverseNoCell, "list view alone: the same without the IP cells"},
        {Fill::Unsorted, "list view alone: no sort style, rows appended in order"},
        {Fill::UnsortedNoCell, "list view alone: the same without the IP cells"},
    };
    std::vector<double> destroyed;
    for (const auto& fill : fills) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            const FillTimes taken = FillListView(fill.fill, kConfigurations);
            times.push_back(taken.fill);
            destroyed.push_back(taken.destroy);
        }
        Row(fill.what, times, "");
    }
    Row("list view alone: destroyed with its 10,000 rows", destroyed, "");
}

}  // namespace
}  // namespace e2e
