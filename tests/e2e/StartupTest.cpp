// Start-up as a user sees it: the splash, the main window three seconds
// later, the single-instance test and the exit status. A busy machine only
// makes windows late, so the times are bounded from where load cannot move
// them: the splash shows for 3 s after the launch at the earliest.
#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "Driver.h"
#include "resource.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kExitStatus = 24;
// The splash's 3 s, less the timer's granularity; starting the process only
// adds to it.
constexpr double kShortestStartSeconds = 2.9;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        e2e::SetWindows98(false);
        e2e::ForgetUserSettings();
        directory_ =
            e2e::ScratchDirectory(testing::UnitTest::GetInstance()->current_test_info()->name());
        // An empty list, so that no "cannot open" message comes first.
        e2e::WriteFileBytes(directory_ + "\\Nicset.conf", "");
    }
    void TearDown() override { e2e::SetWindows98(false); }

    // Closes the main window the way `close` says and expects exit status 24.
    static void CloseAndExpectExit(e2e::NicsetProcess& nicset,
                                   const std::function<void(HWND)>& close) {
        HWND main = nicset.WaitForMainWindow();
        ASSERT_NE(main, nullptr) << "no main window";
        close(main);
        DWORD status = 0;
        ASSERT_TRUE(nicset.WaitForExit(e2e::kMustComeMs, &status)) << "Nicset.exe did not end";
        EXPECT_EQ(status, kExitStatus);
    }

    std::string directory_;
};

TEST_F(StartupTest, SplashComesFirstAndTheMainWindowAboutThreeSecondsLater) {
    const Clock::time_point launched = Clock::now();
    e2e::NicsetProcess nicset(directory_);
    HWND splash = nicset.WaitForSplash();
    ASSERT_NE(splash, nullptr) << "no splash";
    EXPECT_EQ(nicset.MainWindow(), nullptr) << "main window before the splash ended";

    HWND main = nicset.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window within a minute of the splash";
    EXPECT_GE(SecondsSince(launched), kShortestStartSeconds);
    EXPECT_EQ(nicset.Splash(), nullptr) << "the splash stays up beside the main window";

    CloseAndExpectExit(nicset, [](HWND window) { PostMessageA(window, WM_COMMAND, IDC_EXIT, 0); });
}

TEST_F(StartupTest, ExitStatusIs24WhicheverWayTheWindowCloses) {
    struct Row {
        const char* way;
        std::function<void(HWND)> close;
    };
    const Row rows[] = {
        {"Exit button",
         [](HWND window) { PostMessageA(GetDlgItem(window, IDC_EXIT), BM_CLICK, 0, 0); }},
        {"close box", [](HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.way);
        e2e::NicsetProcess nicset(directory_);
        CloseAndExpectExit(nicset, row.close);
    }
}

TEST_F(StartupTest, EscapeAndEnterDoNotShortenTheSplash) {
    const Clock::time_point launched = Clock::now();
    e2e::NicsetProcess nicset(directory_);
    HWND splash = nicset.WaitForSplash();
    ASSERT_NE(splash, nullptr);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        PostMessageA(splash, WM_KEYDOWN, key, 0);
        PostMessageA(splash, WM_KEYUP, key, 0);
    }
    PostMessageA(splash, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(splash, WM_COMMAND, IDOK, 0);
    PostMessageA(splash, WM_SYSCOMMAND, SC_CLOSE, 0);

    // However late the splash was seen, it is up until 3 s after the launch.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    if (SecondsSince(launched) < kShortestStartSeconds) {
        EXPECT_NE(nicset.Splash(), nullptr) << "the splash went away early";
    }
    HWND main = nicset.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_GE(SecondsSince(launched), kShortestStartSeconds);
    CloseAndExpectExit(nicset, [](HWND window) { PostMessageA(window, WM_COMMAND, IDC_EXIT, 0); });
}

// Started with /tray, as from the Startup folder: no splash, and the main
// window stays hidden until a plain second start asks for it.
TEST_F(StartupTest, TrayStartStaysHiddenUntilASecondStartShowsIt) {
    e2e::NicsetProcess first(directory_, e2e::NicsetPath(), "/tray");
    HWND main = e2e::WaitForWindow([&] { return first.AnyMainWindow(); });
    ASSERT_NE(main, nullptr) << "no main window";
    bool sawSplash = false;
    e2e::WaitUntil(
        [&] {
            sawSplash = sawSplash || first.Splash() != nullptr;
            return sawSplash || IsWindowVisible(main);
        },
        e2e::kMustNotComeMs);
    EXPECT_FALSE(sawSplash);
    EXPECT_FALSE(IsWindowVisible(main));

    e2e::NicsetProcess second(directory_);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }))
        << "the second start did not show it";
    DWORD status = 0;
    ASSERT_TRUE(second.WaitForExit(e2e::kMustComeMs, &status)) << "the second start did not end";
    EXPECT_EQ(status, kExitStatus);
    CloseAndExpectExit(first, [](HWND window) { PostMessageA(window, WM_COMMAND, IDC_EXIT, 0); });
}

TEST_F(StartupTest, SecondStartEndsWithoutAMainWindowAndBringsBackTheFirst) {
    e2e::NicsetProcess first(directory_);
    HWND main = first.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // Minimized, it is hidden: only its notification-area icon is left.
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(main); }));

    e2e::NicsetProcess second(directory_);
    EXPECT_NE(second.WaitForSplash(), nullptr);
    DWORD status = 0;
    bool sawMainWindow = false;
    const bool ended = e2e::WaitUntil(
        [&] {
            sawMainWindow = sawMainWindow || second.MainWindow() != nullptr;
            return second.WaitForExit(0, &status);
        },
        e2e::kMustComeMs);
    ASSERT_TRUE(ended) << "the second start did not end";
    EXPECT_FALSE(sawMainWindow);
    EXPECT_EQ(status, kExitStatus);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }))
        << "the first window was not brought back";

    CloseAndExpectExit(first, [](HWND window) { PostMessageA(window, WM_COMMAND, IDC_EXIT, 0); });
}

TEST_F(StartupTest, AnyWindowTitledLikeTheMainWindowStopsASecondOne) {
    // A window of the test's own with the main window's exact title.
    HWND impostor = CreateWindowExA(0, "STATIC", "Nicset v1.0", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(impostor, nullptr);

    e2e::NicsetProcess nicset(directory_);
    EXPECT_NE(nicset.WaitForSplash(), nullptr);
    DWORD status = 0;
    bool sawMainWindow = false;
    const bool ended = e2e::WaitUntil(
        [&] {
            sawMainWindow = sawMainWindow || nicset.MainWindow() != nullptr;
            return nicset.WaitForExit(0, &status);
        },
        e2e::kMustComeMs);
    DestroyWindow(impostor);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(sawMainWindow);
    EXPECT_EQ(status, kExitStatus);
}

TEST_F(StartupTest, StartsAndEndsOnTheWindows98Family) {
    e2e::SetWindows98(true);
    e2e::NicsetProcess nicset(directory_);
    EXPECT_NE(nicset.WaitForSplash(), nullptr);
    CloseAndExpectExit(nicset, [](HWND window) { PostMessageA(window, WM_COMMAND, IDC_EXIT, 0); });
}

}  // namespace
