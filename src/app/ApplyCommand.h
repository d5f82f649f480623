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
// Short lines, so that the message box breaks none of them.
constexpr const char kUsageText[] =
    "Nicset.exe /apply \"<configuration>\"\n"
    "        [/interface \"<interface>\"] [/quiet]\n"
    "Nicset.exe /?\n"
    "\n"
    "Applies a configuration saved in Nicset.conf\n"
    "of the working folder, as the Apply button does.\n"
    "/interface: the interface as the window lists it;\n"
    "needed when there are several.\n"
    "/quiet: no message at all.\n"
    "\n"
    "Exit status:\n"
    "0  applied\n"
    "1  a write failed; everything was put back\n"
    "2  the command line is wrong\n"
    "3  Nicset.conf unreadable, or no such configuration\n"
    "4  no such interface, or several and none named\n"
    "5  refused by the checks; nothing written\n"
    "6  a write failed and putting back failed too";

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
// which is only read. An interface's name is compared as text of the code
// page `codePage`.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, const char* configPath,
                          unsigned codePage);
// The same with the system's ANSI code page, in which Windows gives the names.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, const char* configPath);
