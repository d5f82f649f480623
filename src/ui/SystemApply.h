// The Windows side of the one Apply: whether this process may write, the
// elevated copy started through Windows' prompt, and the restart of an
// interface, each bounded in time.
#pragma once

#include <windows.h>

#include <string>

#include "adapter/PlatformProfile.h"
#include "ui/ApplyFlow.h"

// How long a restart, or the elevated copy once it runs, is waited for.
constexpr DWORD kLongestApplyWaitMs = 60000;

class SystemApplyPlatform : public ApplyPlatform {
public:
    // `owner` owns Windows' prompt; null on the command line.
    SystemApplyPlatform(HWND owner, const PlatformProfile& profile)
        : owner_(owner), profile_(profile) {}

    ApplyRoute Route() override;
    ElevatedRun RunElevated(const std::string& arguments) override;
    std::uint32_t RestartInterface(const char* classSubkey) override;
    LiveCheck CheckLiveUse(const AdapterEntry& adapter,
                           const Configuration& configuration) override;

private:
    HWND owner_;
    const PlatformProfile& profile_;
};

// TokenElevation of this process; kUnknown before Vista or on failure.
Elevation ProcessElevation();

// Starts `program` with `arguments` through the "runas" verb (Windows asks
// the user for administrator rights), owned by `owner`, and waits for it,
// `waitMs` at most once it runs.
ElevatedRun RunElevatedCopy(HWND owner, const char* program, const std::string& arguments,
                            DWORD waitMs);

// The path of the running program, never its working folder's.
std::string OwnProgramPath();

// Shows the box of an Apply's report.
void ShowApplyReport(HWND owner, const ApplyReport& report, const PlatformProfile& profile,
                     const char* interfaceName);
