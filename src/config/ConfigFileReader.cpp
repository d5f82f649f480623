// How the configuration file is read. It tolerates files the writer did not
// produce: any line end, stray lines, keys in any order, over-long values.
#include "config/ConfigFile.h"
#include "config/ConfigFileKeys.h"

#include "common/BoundedText.h"

#include <cstring>

namespace {

// The next byte, with every kind of line end (CR LF, LF, a lone CR) given
// as one '\n'. A lone CR counts as a line end so that a file with old Mac
// line ends, or a damaged one, still reads line by line; the other control
// bytes are ordinary characters.
int ReadCharacter(std::FILE* file) {
    const int c = std::getc(file);
    if (c != '\r') return c;
    const int next = std::getc(file);
    if (next != '\n' && next != EOF) std::ungetc(next, file);
    return '\n';
}

bool AtEnd(std::FILE* file) {
    return std::feof(file) || std::ferror(file);
}

const ConfigFileKey* FindKey(const char* token) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        if (std::strcmp(token, key.key) == 0) return &key;
    }
    return nullptr;
}

}  // namespace

bool ReadToken(std::FILE* file, char (&token)[kTextFieldSize], char delimiter) {
    std::size_t length = 0;
    for (;;) {
        int c = ReadCharacter(file);
        if (c == ' ' && length == 0) continue;
        if (c == EOF || c == '\n' || c == static_cast<unsigned char>(delimiter) || c == '\0') break;
        if (c == '%') c = '$';
        if (c == '"') c = '`';
        // The rest of an over-long token is read and dropped.
        if (length < kTextFieldSize - 1) token[length++] = static_cast<char>(c);
    }
    token[length] = '\0';
    return !AtEnd(file);
}

void ReadConfigurations(std::FILE* file, ConfigurationList& list) {
    // One working record for the whole file: a key missing from a block keeps
    // the value the previous block gave it.
    Configuration working{};
    char key[kTextFieldSize];
    char value[kTextFieldSize];
    // A read error ends the load as the end of the file does.
    while (!AtEnd(file)) {
        ReadToken(file, key, ':');
        const ConfigFileKey* found = FindKey(key);
        if (!found) continue;
        ReadToken(file, value, '\n');
        if (found->field) {
            CopyText(working.*found->field, value);
        } else {
            working.dhcpEnabled = std::strcmp(value, kDhcpOn) == 0 ? 1 : 0;
        }
        if (found == &kBlockEndKey && !list.Append(working)) return;
    }
}
