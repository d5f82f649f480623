// How one Apply ended, whichever door it came through (the Apply button, the
// notification-area menu, the command line, the elevated copy), and the one
// message box and the one exit status that each ending gives. Platform-free:
// tested natively.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/InterfaceRestart.h"
#include "adapter/InterfaceSettings.h"
#include "adapter/LiveState.h"
#include "adapter/PlatformProfile.h"

// The exit status of the command line; scripts test it.
enum CommandStatus : int {
    kStatusApplied = 0,  // also /?; restarted and in use too when /restart was given
    kStatusPutBack = 1,  // a write failed and all was put back, or rights are needed
    kStatusWrongCommandLine = 2,
    kStatusNoConfiguration = 3,  // the file cannot be read or lacks the name
    kStatusNoInterface = 4,      // none such, several and none named, or several matching
    kStatusRefused = 5,          // the configuration failed the checks; nothing written
    kStatusPartlyChanged = 6,    // putting back failed too, or the elevated copy ended abnormally
    kStatusNotRestarted = 7,     // applied; the restart asked for could not be done
    kStatusRebootWindows = 8,    // applied; Windows must be restarted
    kStatusRightsNotGiven = 9,   // administrator rights were not given
    kStatusNotInUseYet = 10,     // applied and restarted; Windows does not use it yet
};

enum class ApplyEnd {
    kApplied,
    kRefused,
    kPutBack,
    kPartlyChanged,
    kAccessDenied,       // the keys refused writing: administrator rights are needed
    kRightsNotGiven,     // the user declined Windows' prompt
    kRightsNotHad,       // the elevated copy could not be started: `code` says why
    kInterfaceNotFound,  // the elevated copy did not find the interface
};

struct ApplyReport {
    ApplyEnd end = ApplyEnd::kRefused;
    bool restartAsked = false;
    // kApplied with restartAsked: the restart's outcome (InterfaceRestart.h).
    // kRightsNotHad: the error that kept the elevated copy from starting.
    std::uint32_t code = 0;
    // After a restart that went through: whether Windows uses the values.
    LiveCheck live;
};

ApplyReport ReportOf(ApplyResult result);

int StatusOf(const ApplyReport& report);

// What the message box shows: "Complete" with the information icon for an
// apply that was made, "Error" with the error icon for one that was not.
struct ApplyMessage {
    bool error = false;
    const char* title = "";
    std::string text;
};

// `interfaceName` is named when the interface was not found.
ApplyMessage MessageOf(const ApplyReport& report, const PlatformProfile& profile,
                       const char* interfaceName);

// Why a restart failed, as the box says it after "It could not be restarted: ".
std::string RestartFailureReason(std::uint32_t code);
