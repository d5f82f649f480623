#include "app/CommandLine.h"

#include <cstddef>

#include "common/AsciiCase.h"

namespace {

bool IsBlank(char character) {
    return character == ' ' || character == '\t';
}

enum class Switch { kNone, kApply, kInterface, kQuiet, kHelp };

Switch SwitchOf(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return Switch::kNone;
    const char* name = argument.c_str() + 1;
    if (EqualIgnoringAsciiCase(name, "apply")) return Switch::kApply;
    if (EqualIgnoringAsciiCase(name, "interface")) return Switch::kInterface;
    if (EqualIgnoringAsciiCase(name, "quiet")) return Switch::kQuiet;
    if (EqualIgnoringAsciiCase(name, "?")) return Switch::kHelp;
    return Switch::kNone;
}

}  // namespace

std::vector<std::string> SplitArguments(const char* line) {
    std::vector<std::string> arguments;
    const char* next = line;
    for (;;) {
        while (IsBlank(*next))
            ++next;
        if (*next == '\0') return arguments;
        // A quoted part may be empty (""), so an argument is counted when it
        // starts, not when it gets its first character.
        std::string argument;
        bool quoted = false;
        for (; *next != '\0' && (quoted || !IsBlank(*next)); ++next) {
            if (*next != '"') {
                argument += *next;
            } else if (quoted && next[1] == '"') {
                argument += '"';
                ++next;
            } else {
                quoted = !quoted;
            }
        }
        arguments.push_back(argument);
    }
}

CommandRequest ParseCommandLine(const char* line) {
    CommandRequest request;
    const std::vector<std::string> arguments = SplitArguments(line);
    if (arguments.empty()) return request;

    bool wrong = false;
    bool seen[5] = {};
    // Every argument is looked at, even after a fault, so that /quiet anywhere
    // keeps a wrong line silent too.
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const Switch found = SwitchOf(arguments[index]);
        bool& repeated = seen[static_cast<int>(found)];
        if (found == Switch::kNone || repeated) wrong = true;
        repeated = true;
        if (found == Switch::kQuiet) request.quiet = true;
        if (found != Switch::kApply && found != Switch::kInterface) continue;
        if (index + 1 == arguments.size()) {
            wrong = true;
            break;
        }
        const std::string& value = arguments[++index];
        if (found == Switch::kApply) {
            request.configuration = value;
        } else {
            request.interfaceName = value;
            request.interfaceNamed = true;
        }
    }

    if (wrong) {
        request.action = CommandAction::kWrongCommandLine;
    } else if (seen[static_cast<int>(Switch::kHelp)]) {
        request.action =
            arguments.size() == 1 ? CommandAction::kShowUsage : CommandAction::kWrongCommandLine;
    } else {
        request.action = seen[static_cast<int>(Switch::kApply)] ? CommandAction::kApply
                                                                : CommandAction::kWrongCommandLine;
    }
    return request;
}
