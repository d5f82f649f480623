#include "app/CommandLine.h"

#include <cstddef>
#include <vector>

#include "adapter/InterfaceRestart.h"
#include "common/Arguments.h"
#include "common/AsciiCase.h"
#include "common/BoundedText.h"
#include "config/Configuration.h"

namespace {

enum class Switch {
    kNone,
    kApply,
    kInterface,
    kQuiet,
    kHelp,
    kRestart,
    kTray,
    kElevatedApply,
    kRestartInterface,
    kBackup,
    kList,
    kLog,
    kReplace,
    kCount
};

Switch SwitchOf(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return Switch::kNone;
    const char* name = argument.c_str() + 1;
    if (EqualIgnoringAsciiCase(name, "apply")) return Switch::kApply;
    if (EqualIgnoringAsciiCase(name, "interface")) return Switch::kInterface;
    if (EqualIgnoringAsciiCase(name, "quiet")) return Switch::kQuiet;
    if (EqualIgnoringAsciiCase(name, "?")) return Switch::kHelp;
    if (EqualIgnoringAsciiCase(name, "restart")) return Switch::kRestart;
    if (EqualIgnoringAsciiCase(name, "tray")) return Switch::kTray;
    if (EqualIgnoringAsciiCase(name, "backup")) return Switch::kBackup;
    if (EqualIgnoringAsciiCase(name, "list")) return Switch::kList;
    if (EqualIgnoringAsciiCase(name, "log")) return Switch::kLog;
    if (EqualIgnoringAsciiCase(name, "replace")) return Switch::kReplace;
    if (EqualIgnoringAsciiCase(name, kElevatedApplySwitch + 1)) return Switch::kElevatedApply;
    if (EqualIgnoringAsciiCase(name, kRestartHelperSwitch + 1)) return Switch::kRestartInterface;
    return Switch::kNone;
}

bool TakesValue(Switch found) {
    return found == Switch::kApply || found == Switch::kInterface || found == Switch::kBackup ||
           found == Switch::kLog;
}

// A name saved whole, on one line of the file.
bool FitsAConfiguration(const std::string& name) {
    return !name.empty() && name.size() < kTextFieldSize &&
           name.find_first_of("\r\n") == std::string::npos;
}

// The one command of a line that holds no /? or /tray, and whether each
// switch it holds is one that command takes.
CommandAction CommandOf(const bool (&seen)[static_cast<int>(Switch::kCount)],
                        const CommandRequest& request) {
    auto has = [&seen](Switch which) { return seen[static_cast<int>(which)]; };
    const int commands = has(Switch::kApply) + has(Switch::kBackup) + has(Switch::kList);
    if (commands != 1) return CommandAction::kWrongCommandLine;
    if (has(Switch::kApply)) {
        return has(Switch::kReplace) ? CommandAction::kWrongCommandLine : CommandAction::kApply;
    }
    if (has(Switch::kBackup)) {
        return has(Switch::kRestart) || !FitsAConfiguration(request.configuration)
                   ? CommandAction::kWrongCommandLine
                   : CommandAction::kBackup;
    }
    return has(Switch::kInterface) || has(Switch::kRestart) || has(Switch::kReplace)
               ? CommandAction::kWrongCommandLine
               : CommandAction::kList;
}

bool ReadFlag(const std::string& text, bool& flag) {
    flag = text == "1";
    return flag || text == "0";
}

bool Holds(const std::vector<std::string>& arguments, Switch wanted) {
    for (const std::string& argument : arguments) {
        if (SwitchOf(argument) == wanted) return true;
    }
    return false;
}

// /restart-interface NNNN, nothing else.
CommandRequest HelperRequest(const std::vector<std::string>& arguments) {
    CommandRequest request;
    request.quiet = true;
    const bool right = arguments.size() == 2 &&
                       SwitchOf(arguments[0]) == Switch::kRestartInterface &&
                       IsRestartSubkey(arguments[1].c_str());
    request.action = right ? CommandAction::kRestartHelper : CommandAction::kWrongHelperLine;
    if (right) request.restartSubkey = arguments[1];
    return request;
}

// The switch, the card's class subkey and TCP/IP key name, its shown name,
// DHCP, six fields and the restart, as ElevatedChildLine writes them.
CommandRequest ElevatedRequest(const std::vector<std::string>& arguments) {
    CommandRequest request;
    request.quiet = true;
    request.action = CommandAction::kWrongElevatedLine;
    if (arguments.size() != 12 || SwitchOf(arguments[0]) != Switch::kElevatedApply ||
        !IsRestartSubkey(arguments[1].c_str()) || !IsInterfaceGuid(arguments[2]))
        return request;
    ElevatedApply& order = request.elevated;
    Configuration& fields = order.configuration;
    bool dhcp = false;
    if (!ReadFlag(arguments[4], dhcp) || !ReadFlag(arguments[11], order.restart)) return request;
    order.classSubkey = arguments[1];
    order.interfaceGuid = arguments[2];
    order.interfaceName = arguments[3];
    fields.dhcpEnabled = dhcp ? 1 : 0;
    CopyText(fields.ipAddress, arguments[5].c_str());
    CopyText(fields.mask, arguments[6].c_str());
    CopyText(fields.gateway, arguments[7].c_str());
    CopyText(fields.dns1, arguments[8].c_str());
    CopyText(fields.dns2, arguments[9].c_str());
    CopyText(fields.macAddress, arguments[10].c_str());
    request.action = CommandAction::kElevatedApply;
    return request;
}

}  // namespace

CommandRequest ParseCommandLine(const char* line) {
    CommandRequest request;
    const std::vector<std::string> arguments = SplitArguments(line);
    if (arguments.empty()) return request;
    if (Holds(arguments, Switch::kRestartInterface)) return HelperRequest(arguments);
    if (Holds(arguments, Switch::kElevatedApply)) return ElevatedRequest(arguments);

    bool wrong = false;
    bool seen[static_cast<int>(Switch::kCount)] = {};
    // Every argument is looked at, even after a fault, so that /quiet anywhere
    // keeps a wrong line silent too.
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const Switch found = SwitchOf(arguments[index]);
        bool& repeated = seen[static_cast<int>(found)];
        if (found == Switch::kNone || repeated) wrong = true;
        repeated = true;
        if (found == Switch::kQuiet) request.quiet = true;
        if (found == Switch::kRestart) request.restart = true;
        if (found == Switch::kReplace) request.replace = true;
        if (found == Switch::kList && *request.command == '\0') request.command = "list";
        if (!TakesValue(found)) continue;
        if (found == Switch::kApply && *request.command == '\0') request.command = "apply";
        if (found == Switch::kBackup && *request.command == '\0') request.command = "backup";
        if (index + 1 == arguments.size()) {
            wrong = true;
            break;
        }
        const std::string& value = arguments[++index];
        if (found == Switch::kApply || found == Switch::kBackup) {
            request.configuration = value;
        } else if (found == Switch::kLog) {
            request.logPath = value;
            request.logged = true;
        } else {
            request.interfaceName = value;
            request.interfaceNamed = true;
        }
    }

    // /? and /tray each stand alone; nothing is logged for them.
    const bool alone = arguments.size() == 1;
    if (seen[static_cast<int>(Switch::kHelp)] || seen[static_cast<int>(Switch::kTray)]) {
        request.logged = false;
        request.logPath.clear();
    }
    if (wrong) {
        request.action = CommandAction::kWrongCommandLine;
    } else if (seen[static_cast<int>(Switch::kHelp)]) {
        request.action = alone ? CommandAction::kShowUsage : CommandAction::kWrongCommandLine;
    } else if (seen[static_cast<int>(Switch::kTray)]) {
        request.action = alone ? CommandAction::kRunTray : CommandAction::kWrongCommandLine;
    } else {
        request.action = CommandOf(seen, request);
    }
    return request;
}
