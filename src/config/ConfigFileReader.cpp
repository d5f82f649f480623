// How the configuration file is read. It tolerates files the writer did not
// produce: any line end, stray lines, keys in any order, over-long values.
// It parses the file's text in memory, straight from the buffer; the reader
// it replaced is kept under tests/ and a fuzz target holds the two to the
// same records.
#include <cstring>

#include "config/ConfigFile.h"
#include "config/ConfigFileKeys.h"

namespace {

// Reads the token at `next` into `token` and moves `next` past it: leading
// blanks dropped, "%" stored as "$" and a double quote as a backquote, ended
// by `delimiter`, a line end, a zero byte or the end of the text (none of
// them stored). Every kind of line end counts: CR LF, LF and a lone CR (old
// Mac files, damaged ones); the other control bytes are ordinary characters.
// Characters past the field's 127 are read and dropped. Gives the length.
std::size_t ReadToken(const char*& next, const char* end, char (&token)[kTextFieldSize],
                      char delimiter) {
    const char* at = next;
    while (at != end && *at == ' ')
        ++at;
    std::size_t length = 0;
    while (at != end) {
        char c = *at++;
        if (c == '\r') {
            if (at != end && *at == '\n') ++at;
            break;
        }
        if (c == '\n' || c == delimiter || c == '\0') break;
        if (length == kTextFieldSize - 1) continue;
        if (c == '%') c = '$';
        if (c == '"') c = '`';
        token[length++] = c;
    }
    token[length] = '\0';
    next = at;
    return length;
}

// Most tokens are keys: the lengths sort them out before any comparison.
const ConfigFileKey* FindKey(const char* token, std::size_t length) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        if (key.key == std::string_view(token, length)) return &key;
    }
    return nullptr;
}

// Hands each completed block to `store`, with whether any text follows the
// block's last token; `store` says whether to go on.
template <typename Store>
void ReadBlocks(const std::string& text, Store store) {
    const char* next = text.data();
    const char* const end = next + text.size();
    // One working record for the whole file: a key missing from a block keeps
    // the value the previous block gave it.
    Configuration working{};
    char key[kTextFieldSize];
    char value[kTextFieldSize];
    while (next != end) {
        const ConfigFileKey* found = FindKey(key, ReadToken(next, end, key, ':'));
        if (!found) continue;
        // A token fits its field whole, so a text value is read straight into it.
        if (found->field) {
            ReadToken(next, end, working.*found->field, '\n');
        } else {
            ReadToken(next, end, value, '\n');
            working.dhcpEnabled = std::strcmp(value, kDhcpOn) == 0 ? 1 : 0;
        }
        if (found == &kBlockEndKey && !store(working, next != end)) return;
    }
}

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool IsBannerLine(const std::string& line) {
    for (const char* banner : kBannerLines) {
        if (line == banner) return true;
    }
    return false;
}

// How many blocks the text can hold at most: a block is stored where its
// last key is read, so it cannot hold more blocks than that key's text.
std::size_t MostBlocks(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find(kBlockEndKey.key); at != std::string::npos;
         at = text.find(kBlockEndKey.key, at + 1))
        ++count;
    return count;
}

}  // namespace

bool ReadConfigurations(const std::string& text, ConfigurationList& list) {
    list.Reserve(MostBlocks(text));
    bool kept = true;
    ReadBlocks(text, [&list, &kept](const Configuration& record, bool) {
        kept = list.Append(record);
        return kept;
    });
    return kept;
}

bool YieldsConfiguration(const std::string& text) {
    bool found = false;
    ReadBlocks(text, [&found](const Configuration&, bool) {
        found = true;
        return false;  // one is enough
    });
    return found;
}

bool HoldsConfigurationsOrNothing(const std::string& text) {
    if (YieldsConfiguration(text)) return true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (!IsBlankLine(line) && !IsBannerLine(line)) return false;
        start = end + 1;
    }
    return true;
}

bool StartsWithConfiguration(const std::string& start) {
    // Every token before a block stored with text still after it ended at a
    // key's delimiter or a line end inside `start` (a CR's LF looked for
    // inside it too), so whatever follows, the whole text reads the same
    // tokens up to there and stores that block as well. A token cut by the
    // end of `start` could read on into what follows: that proves nothing.
    bool found = false;
    ReadBlocks(start, [&found](const Configuration&, bool textFollows) {
        found = textFollows;
        return false;  // the first block decides
    });
    return found;
}
