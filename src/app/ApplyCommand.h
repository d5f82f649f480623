// The command line's apply: the same lookups, checks and writes as the
// window's Apply button, with an exit status and at most one message; and
// the two copies of Nicset that the program starts itself.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/Interfaces.h"
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
    "Nicset.exe /backup \"<name>\"\n"
    "        [/interface \"<interface>\"] [/replace] [/quiet]\n"
    "Nicset.exe /list [/quiet]\n"
    "Nicset.exe /tray\n"
    "Nicset.exe /?\n"
    "Each command also takes /log \"<file>\".\n"
    "\n"
    "/apply: applies a configuration saved in Nicset.conf\n"
    "of the working folder, as the Apply button does,\n"
    "asking for administrator rights where Windows does.\n"
    "/backup: saves the interface's current settings\n"
    "in Nicset.conf as <name>, as the BackUp button does.\n"
    "/list: one line for each interface and configuration.\n"
    "/interface: the interface as the window lists it;\n"
    "needed when there are several.\n"
    "/restart: restart the interface afterwards and\n"
    "check, 30 seconds at most, that Windows uses it.\n"
    "/replace: replace a configuration of that name.\n"
    "/quiet: no message box.\n"
    "/log: add a line about the command to <file>.\n"
    "/tray: start with only the notification-area icon.\n"
    "The ending goes to the caller's output or console.\n"
    "\n"
    "Exit status:\n"
    "0  done (applied; with /restart: restarted,\n"
    "   and Windows uses it)\n"
    "1  a write failed and all was put back, or\n"
    "   administrator rights are needed; nothing changed\n"
    "2  the command line is wrong, or the log file\n"
    "   cannot be written\n"
    "3  Nicset.conf unreadable, or no such configuration\n"
    "4  no such interface, or several and none named\n"
    "5  refused by the checks; nothing written\n"
    "6  a write failed and putting back failed too,\n"
    "   or the elevated copy ended abnormally\n"
    "7  applied; the interface could not be restarted\n"
    "8  applied; Windows must be rebooted\n"
    "9  administrator rights were not given\n"
    "10 applied and restarted; Windows does not\n"
    "   use it yet\n"
    "11 a configuration of that name exists; nothing saved\n"
    "12 Nicset's window is open; nothing saved\n"
    "13 Nicset.conf could not be written; nothing saved";

// What the command shows the user at its end.
enum class CommandMessage {
    kNothing,      // /quiet, and always for the copies
    kApplyReport,  // the window's own box for `report`
    kError,        // `text`, titled "Error"
    kUsage,        // kUsageText, titled kUsageTitle
    kComplete,     // `text`, titled "Complete"
    kListing,      // /list's lines, titled kUsageTitle
};

class AdminHost;

struct CommandOutcome {
    // The command status, or a copy's own exit code.
    std::uint32_t exitCode = kStatusWrongCommandLine;
    CommandMessage message = CommandMessage::kNothing;
    // What `message` was before /quiet took it away: the ending written to
    // the caller's output and the log.
    CommandMessage ending = CommandMessage::kNothing;
    ApplyReport report;
    char text[256] = {};
    std::string listing;  // /list's lines, each ending in CR LF
};

// An error ending, cut to the message's size: a name on the command line may
// be of any length.
CommandOutcome CommandError(int status, const char* text, const char* detail);

// The interface that `request` names among `adapters`, or the only one; null,
// with `refusal` set to status 4 and its message, when there is none such.
const AdapterEntry* ChooseInterface(const CommandRequest& request, const AdapterList& adapters,
                                    unsigned codePage, CommandOutcome& refusal);

// Carries out `request` (any action but the window's) on the interfaces that
// `registry` lists, with the configurations of the file at `configPath`,
// which only /backup writes (the copies read no file at all). An interface's
// name is compared as text of the code page `codePage`. `host` gives what
// /backup and /list need of the machine beyond these.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, unsigned codePage, AdminHost& host);
// The same with PlainAdminHost().
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, unsigned codePage);
// The same with the system's ANSI code page, in which Windows gives the names.
CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, AdminHost& host);
