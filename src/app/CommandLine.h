// The command line of Nicset.exe:
//   Nicset.exe /apply "<configuration>" [/interface "<interface>"] [/restart] [/quiet]
//   Nicset.exe /backup "<name>" [/interface "<interface>"] [/replace] [/quiet]
//   Nicset.exe /list [/quiet]
//   (each of the three also with /log "<file>")
//   Nicset.exe /tray
//   Nicset.exe /?
// and the two lines Nicset writes for copies of itself alone: the elevated
// copy's (ui/Elevation.h) and the restart process's
// (/restart-interface NNNN).
#pragma once

#include <string>

#include "ui/Elevation.h"

enum class CommandAction {
    kRunWindow,          // no arguments at all: the window, as ever
    kRunTray,            // /tray alone: the window hidden, only the notification-area icon
    kApply,              // /apply
    kBackup,             // /backup
    kList,               // /list
    kShowUsage,          // /? alone
    kWrongCommandLine,   // anything else
    kElevatedApply,      // the elevated copy: apply `elevated`, show nothing
    kWrongElevatedLine,  // the elevated copy's switch in any other line
    kRestartHelper,      // the restart process: restart `restartSubkey` here, show nothing
    kWrongHelperLine,    // the helper's switch in any other line
};

struct CommandRequest {
    CommandAction action = CommandAction::kRunWindow;
    bool quiet = false;         // /quiet anywhere, even on a wrong line; always for the copies
    bool restart = false;       // /restart
    bool replace = false;       // /replace
    std::string configuration;  // /apply's configuration, /backup's name
    bool interfaceNamed = false;
    std::string interfaceName;
    bool logged = false;  // /log, read even on a wrong line
    std::string logPath;
    // The command named, for the log: "apply", "backup", "list", or "" where
    // the line names none.
    const char* command = "";
    ElevatedApply elevated;     // kElevatedApply
    std::string restartSubkey;  // kRestartHelper
};

// Switches ignore letter case, start with "/" or "-", come in any order and
// each at most once. A switch's value is the next argument, as it stands.
// Wrong: an unknown switch or an extra argument, a missing value, a repeated
// switch, not exactly one of /apply, /backup and /list, a switch its command
// does not take (/restart is /apply's, /replace /backup's, /interface
// theirs both; /list takes only /log and /quiet), a /backup name that a
// configuration cannot hold, /? or /tray with anything else. A copy's switch makes
// the whole line the copy's: right only in exactly its own form.
CommandRequest ParseCommandLine(const char* line);
