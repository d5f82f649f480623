// The one Apply behind every door: the checks first, then the writes from
// this process or from the elevated copy, then the restart when asked. The
// doors gather what to apply and show the report; none repeats a rule.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/InterfaceSettings.h"
#include "adapter/Interfaces.h"
#include "adapter/LiveState.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "config/Configuration.h"
#include "ui/ApplyReport.h"
#include "ui/Elevation.h"

// How a run of the elevated copy went.
struct ElevatedRun {
    enum class How {
        kEnded,       // `code` is its exit code
        kLost,        // it ran, but its ending cannot be had: `code` says why
        kNotStarted,  // `code` is the error; ERROR_CANCELLED when the user declined
    };
    How how = How::kNotStarted;
    std::uint32_t code = 0;
};

constexpr std::uint32_t kCancelledCode = 1223;  // ERROR_CANCELLED

// What an Apply needs of Windows beyond the registry; the tests script it.
// Nothing here gives up waiting: a restart cut between the device's removal
// and its start leaves the card off until a reboot.
class ApplyPlatform {
public:
    virtual ~ApplyPlatform() = default;
    // Whether this process writes itself or starts the elevated copy.
    virtual ApplyRoute Route() = 0;
    // Starts the elevated copy with these arguments and waits for its end.
    virtual ElevatedRun RunElevated(const std::string& arguments) = 0;
    // Restarts the interface's device in a process of its own, which is
    // never ended, and gives that process's outcome. Only on the "NT" family.
    virtual std::uint32_t RestartInterface(const char* classSubkey) = 0;
    // The restart itself, on this thread: what that process does.
    virtual std::uint32_t RestartHere(const char* classSubkey) = 0;
    // Whether Windows uses `configuration` on the interface, read again until
    // it does or kLiveCheckLimitMs pass. Unchecked where Windows cannot tell.
    virtual LiveCheck CheckLiveUse(const AdapterEntry& adapter,
                                   const Configuration& configuration) {
        (void)adapter;
        (void)configuration;
        return LiveCheck();
    }
};

// Everything that needs no rights comes first, so that a refusal never
// prompts: the checks, then the route.
ApplyReport RunApply(Registry& registry, const PlatformProfile& profile, ApplyPlatform& platform,
                     ApplyRoute route, const AdapterEntry& adapter,
                     const Configuration& configuration, bool restart);

// Whether the Apply can end without a long wait (no restart, no prompt), so
// that the window runs it at once rather than on a worker thread.
bool ApplyIsQuick(const PlatformProfile& profile, ApplyRoute route, bool restart);
