#include "common/Arguments.h"

namespace {

bool IsBlank(char character) {
    return character == ' ' || character == '\t';
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

std::string QuoteArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char character : argument) {
        if (character == '"') quoted += '"';
        quoted += character;
    }
    return quoted + '"';
}
