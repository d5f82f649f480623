// Administrator rights only for Apply: where Windows would refuse the
// process's own writes, Nicset runs a copy of itself with the rights (Windows
// asks the user) and hands it what to apply on its command line. The copy
// reads no file, since it may run as another user in another folder; it
// shows nothing and tells its ending by its exit code. Platform-free: the
// decision, the copy's line and its exit codes are tested natively.
#pragma once

#include <cstdint>
#include <string>

#include "config/Configuration.h"
#include "ui/ApplyReport.h"

// The switch of the copy's line, which stands only at its start.
constexpr const char kElevatedApplySwitch[] = "/apply-elevated";

// What the copy applies: the fields as they stand, the interface by the
// name the list shows.
struct ElevatedApply {
    std::string interfaceName;
    Configuration configuration{};  // the name is not passed
    bool restart = false;
};

// The copy's arguments: the switch, the interface's name, DHCP (0 or 1), the
// address, mask, gateway, both DNS servers and the MAC, and the restart (0
// or 1), each quoted so that it reaches the copy unchanged.
std::string ElevatedChildLine(const ElevatedApply& order);

enum class Elevation {
    kElevated,     // the process has administrator rights in full
    kNotElevated,  // Windows would ask for them (User Account Control)
    kUnknown,      // Windows cannot tell (before Vista, or the call failed)
};

enum class ApplyRoute {
    kInProcess,  // write from this process; a refusal says "rights are needed"
    kElevate,    // start the elevated copy
};

// Only Vista and later, on the "NT" family, elevate, and only a process that
// is known not to be elevated.
ApplyRoute ChooseApplyRoute(bool ntFamily, unsigned majorVersion, Elevation elevation);

// The copy's exit code for its ending: its command status, but for status 7,
// which carries the restart's outcome as 0x10000000 + the code, and for
// refused rights, which status 1 shares with a write put back.
std::uint32_t ChildExitCode(const ApplyReport& report);

// The parent's reading of the copy's exit code. Any code that is no status
// of the copy's (a crash, say) counts as an apply that may have changed
// something.
ApplyReport ReportOfChildExit(std::uint32_t exitCode, bool restartAsked);
