// The command line of Nicset.exe, read by the program itself (Windows 98
// has no call that splits one):
//   Nicset.exe /apply "<configuration>" [/interface "<interface>"] [/quiet]
//   Nicset.exe /?
#pragma once

#include <string>
#include <vector>

// The arguments of a command line that no longer holds the program's name.
// Blanks (spaces, tabs) separate them. A double quote starts or ends a quoted
// part, in which blanks are kept and "" stands for one quote. Backslashes are
// ordinary characters, so a folder such as "C:\Net\" keeps its last one.
std::vector<std::string> SplitArguments(const char* line);

enum class CommandAction {
    kRunWindow,         // no arguments at all: the window, as ever
    kApply,             // /apply
    kShowUsage,         // /? alone
    kWrongCommandLine,  // anything else
};

struct CommandRequest {
    CommandAction action = CommandAction::kRunWindow;
    bool quiet = false;  // /quiet anywhere, even on a wrong line
    std::string configuration;
    bool interfaceNamed = false;
    std::string interfaceName;
};

// Switches ignore letter case, start with "/" or "-", come in any order and
// each at most once. A switch's value is the next argument, as it stands.
// Wrong: an unknown switch or an extra argument, a missing value, a repeated
// switch, no /apply, or /? with anything else.
CommandRequest ParseCommandLine(const char* line);
