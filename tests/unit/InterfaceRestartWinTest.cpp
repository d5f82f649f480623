#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "adapter/InterfaceRestart.h"
#include "adapter/ProgramFile.h"

namespace {

// Wine lists no device of the network class.
TEST(InterfaceRestartWinTest, FindsNoAdapterDeviceUnderWine) {
    EXPECT_EQ(RestartInterface("0000"), kRestartNotPresent);
}

// The restart process is started by its full path, from a folder named in
// a script that no ANSI code page holds, in whatever prefix the test runs.
TEST(InterfaceRestartWinTest, StartsTheRestartProcessFromAFolderNamedInAnyLanguage) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) +
                                L"Nicset \x0141\x00f3\x0064\x017a\x65e5\x672c " +
                                std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();

    EXPECT_EQ(RunRestartProcess(folder + L"\\Nicset64.exe", "0000"), kRestartHelperMissing);

    // The built program of this bitness, not this test program, which would
    // run its whole suite again. The copy restarts in its own process and,
    // under Wine, finds nothing to restart: it ran.
    const std::wstring own = OwnProgramFile();
    ASSERT_FALSE(own.empty());
    const std::wstring copy = folder + L"\\Nicset.exe";
    ASSERT_TRUE(CopyFileW((own.substr(0, own.find_last_of(L'\\') + 1) + L"Nicset.exe").c_str(),
                          copy.c_str(), FALSE))
        << GetLastError();
    EXPECT_EQ(RunRestartProcess(copy, "0000"), kRestartNotPresent);

    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
