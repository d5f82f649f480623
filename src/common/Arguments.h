// A command line as Nicset reads and writes it. Windows 98 has no call that
// splits one, and the program both reads its own line and writes the lines
// of the copies of itself that it starts, so both halves live together.
#pragma once

#include <string>
#include <vector>

// The arguments of a command line that no longer holds the program's name.
// Blanks (spaces, tabs) separate them. A double quote starts or ends a quoted
// part, in which blanks are kept and "" stands for one quote. Backslashes are
// ordinary characters, so a folder such as "C:\Net\" keeps its last one.
std::vector<std::string> SplitArguments(const char* line);

// One argument, quoted so that SplitArguments gives it back unchanged
// whatever blanks, quotes or backslashes it holds; an empty one included.
std::string QuoteArgument(const std::string& argument);
