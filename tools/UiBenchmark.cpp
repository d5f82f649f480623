// Not a test: how long the main window takes to show 10,000 saved
// configurations, how long Apply takes, and how long closing (which saves
// them all) takes. Prints the figures of a few runs.
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
#include "resource.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kConfigurations = 10000;
constexpr int kRuns = 3;

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

using UiBenchmark = NicsetTest;

TEST_F(UiBenchmark, TenThousandConfigurations) {
    const Adapter adapter = {"0000",
                             "{6B1F4E3A-9C2D-4A7E-8F10-3D5C2B7A9E41}",
                             "Bench adapter",
                             "",
                             false,
                             "192.168.1.20",
                             "255.255.255.0",
                             "192.168.1.1",
                             ""};
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
    auto report = [](const char* what, std::vector<double> times) {
        std::sort(times.begin(), times.end());
        std::printf("%-48s median %8.1f ms  (min %.1f, max %.1f)\n", what, times[times.size() / 2],
                    times.front(), times.back());
    };
    std::printf("%d configurations, %d runs\n", kConfigurations, kRuns);
    report("main window created -> list view filled", fill);
    report("Apply pressed -> \"Complete\" shown", apply);
    report("Exit pressed -> main window gone (saves the list)", gone);
    report("Exit pressed -> process ended", close);
}

}  // namespace
}  // namespace e2e
