// The command line's apply: the same lookups, checks and writes as the
// window's Apply button, with an exit status and at most one message.
#pragma once

#include "adapter/InterfaceSettings.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "app/CommandLine.h"

// The process's exit status in this mode; scripts test it.
enum CommandStatus : int {
    kStatusApplied = 0,  // also /?
    kStatusPutBack = 1,  // a write failed; everything written was put back
    kStatusWrongCommandLine = 2,
    kStatusNoConfiguration = 3,  // the file cannot be read or lacks the name
    kStatusNoInterface = 4,      // none such, several and none named, or several matching
    kStatusRefused = 5,          // the configuration failed the checks; nothing written
    kStatusPartlyChanged = 6,    // putting back failed too
};

constexpr const char kUsageTitle[] = "Nicset";
constexpr const char kUsageText[] =
    "Nicset.exe /apply \"<configuration>\" [/interface \"<interface>\"] [/quiet]\n"
    "Nicset.exe /?\n\n"
    "Applies a configuration saved in Nicset.conf of the working folder.\n"
    "/interface names the interface as the window lists it; it is needed when\n"
    "there are several. /quiet shows no message.\n\n"
    "Exit status: 0 applied, 1 failed and put back, 2 wrong command line,\n"
    "3 no such configuration, 4 no such interface, 5 refused by the checks,\n"
    "6 failed and may be part-changed.";

// What the command shows the user at its end.
enum class CommandMessage {
    kNothing,      // /quiet
    kApplyResult,  // the window's own box for `applyResult`
    kError,        // `text`, titled "Error"
    kUsage,        // kUsageText, titled kUsageTitle
};

struct CommandOutcome {
    int status = kStatusWrongCommandLine;
    CommandMessage message = CommandMessage::kNothing;
    ApplyResult applyResult = ApplyResult::kRefused;
    char text[256] = {};
};

// Carries out `request` (any action but kRunWindow) on the interfaces that
// `registry` lists, with the configurations of the file at `configPath`,
// which is only read.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, const char* configPath);
