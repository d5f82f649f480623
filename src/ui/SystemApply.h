// The Windows side of the one Apply: whether this process may write, the
// elevated copy started through Windows' prompt, and the restart of an
// interface in a process of its own. Each waits for its real ending.
#pragma once

#include <windows.h>

#include <string>

#include "adapter/PlatformProfile.h"
#include "ui/ApplyFlow.h"

class SystemApplyPlatform : public ApplyPlatform {
public:
    // `owner` owns Windows' prompt; null on the command line.
    SystemApplyPlatform(HWND owner, const PlatformProfile& profile)
        : owner_(owner), profile_(profile) {}

    ApplyRoute Route() override;
    ElevatedRun RunElevated(const std::string& arguments) override;
    std::uint32_t RestartInterface(const char* classSubkey) override;
    std::uint32_t RestartHere(const char* classSubkey) override;
    LiveCheck CheckLiveUse(const AdapterEntry& adapter,
                           const Configuration& configuration) override;

private:
    HWND owner_;
    const PlatformProfile& profile_;
};

// TokenElevation of this process; kUnknown before Vista or on failure.
Elevation ProcessElevation();

// Starts `program` (a full path) with `arguments` (ANSI) through the
// "runas" verb (Windows asks the user for administrator rights), owned by
// `owner`, and waits for its end.
ElevatedRun RunElevatedCopy(HWND owner, const std::wstring& program, const std::string& arguments);

// Shows the box of an Apply's report.
void ShowApplyReport(HWND owner, const ApplyReport& report, const PlatformProfile& profile,
                     const char* interfaceName);
