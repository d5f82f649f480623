// The command line's apply: the same lookups, checks and writes as the
// window's Apply button, with an exit status and at most one message; and
// the two copies of Nicset that the program starts itself.
#pragma once

#include <cstdint>

#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "app/CommandLine.h"
#include "ui/ApplyFlow.h"
#include "ui/ApplyReport.h"

constexpr const char kUsageTitle[] = "Nicset";
// Short lines, so that the message box breaks none of them.
constexpr const char kUsageText[] =
    "Nicset.exe /apply \"<configuration>\"\n"
    "        [/interface \"<interface>\"] [/restart] [/quiet]\n"
    "Nicset.exe /tray\n"
    "Nicset.exe /?\n"
    "\n"
    "Applies a configuration saved in Nicset.conf\n"
    "of the working folder, as the Apply button does,\n"
    "asking for administrator rights where Windows does.\n"
    "/interface: the interface as the window lists it;\n"
    "needed when there are several.\n"
    "/restart: restart the interface afterwards and\n"
    "check, 30 seconds at most, that Windows uses it.\n"
    "/quiet: no message at all.\n"
    "/tray: start with only the notification-area icon.\n"
    "\n"
    "Exit status:\n"
    "0  applied (with /restart: restarted, and\n"
    "   Windows uses it)\n"
    "1  a write failed and all was put back, or\n"
    "   administrator rights are needed; nothing changed\n"
    "2  the command line is wrong\n"
    "3  Nicset.conf unreadable, or no such configuration\n"
    "4  no such interface, or several and none named\n"
    "5  refused by the checks; nothing written\n"
    "6  a write failed and putting back failed too,\n"
    "   or the elevated copy ended abnormally\n"
    "7  applied; the interface could not be restarted\n"
    "8  applied; Windows must be rebooted\n"
    "9  administrator rights were not given\n"
    "10 applied and restarted; Windows does not\n"
    "   use it yet";

// What the command shows the user at its end.
enum class CommandMessage {
    kNothing,      // /quiet, and always for the copies
    kApplyReport,  // the window's own box for `report`
    kError,        // `text`, titled "Error"
    kUsage,        // kUsageText, titled kUsageTitle
};

struct CommandOutcome {
    // The command status, or a copy's own exit code.
    std::uint32_t exitCode = kStatusWrongCommandLine;
    CommandMessage message = CommandMessage::kNothing;
    ApplyReport report;
    char text[256] = {};
};

// Carries out `request` (any action but the window's) on the interfaces that
// `registry` lists, with the configurations of the file at `configPath`,
// which is only read (the copies read no file at all). An interface's name is
// compared as text of the code page `codePage`.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, unsigned codePage);
// The same with the system's ANSI code page, in which Windows gives the names.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath);
