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

// What the copy applies: the fields as they stand, to the card the user
// picked, named by its identity (a new card may renumber the shown names)
// and by the name the list showed.
struct ElevatedApply {
    std::string classSubkey;    // AdapterEntry::classSubkey, such as "0012"
    std::string interfaceGuid;  // the last part of AdapterEntry::interfaceKey, its "{GUID}"
    std::string interfaceName;
    Configuration configuration{};  // the name is not passed
    bool restart = false;
};

// The copy's arguments: the switch, the class subkey, the TCP/IP key name,
// the interface's shown name, DHCP (0 or 1), the address, mask, gateway,
// both DNS servers and the MAC, and the restart (0 or 1), each quoted so
// that it reaches the copy unchanged.
std::string ElevatedChildLine(const ElevatedApply& order);

// The TCP/IP key name of an interface key: its last part.
std::string InterfaceGuidOf(const char* interfaceKey);
// A TCP/IP key name as the copy takes it: "{" 8-4-4-4-12 hexadecimal digits "}".
bool IsInterfaceGuid(const std::string& text);

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

// The copy's exit code for its ending: 0x20000000 + its command status, but
// for status 7, which carries the restart's outcome as 0x10000000 + the
// code, and for refused rights, which status 1 shares with a write put back
// (0x20000100). A killed process ends with 1 and Windows' own codes never
// set bit 29, so no code of the copy's is one a process gets otherwise.
std::uint32_t ChildExitCode(const ApplyReport& report);
// The copy's exit code for a line it could not take.
std::uint32_t ChildExitCodeOfWrongLine();

// The parent's reading of the copy's exit code. Any code that is no ending
// of the copy's (killed, crashed) counts as an apply that may have changed
// something.
ApplyReport ReportOfChildExit(std::uint32_t exitCode, bool restartAsked);
