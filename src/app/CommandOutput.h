// Where the command line's lines go: to the standard output its caller gave
// it (cmd.exe's ">", PowerShell, the management tools' script hosts), or else
// to the console of the process that started it.
#pragma once

#include <string>

class CommandOutput {
public:
    // Looks at the standard output now, before the command runs.
    CommandOutput();

    // The caller gave a standard output: the lines go there and no message
    // box is shown, since nobody may be there to answer it.
    bool ToStandardOutput() const { return toStandardOutput_; }

    // Writes `text` (lines in the ANSI code page, each ending in CR LF) to the
    // standard output, or else to the parent's console, attached only now
    // that the command has ended. False when there is neither; a write that
    // fails is ignored.
    bool Write(const std::string& text);

private:
    bool toStandardOutput_ = false;
};
