// The configuration file reader as it was before it was made fast (see
// ReferenceReader.h). Unchanged but for its namespace.
#include "ReferenceReader.h"

#include <cstdio>
#include <cstring>

#include "common/BoundedText.h"
#include "config/ConfigFileKeys.h"

namespace {

// The file's text, read byte by byte. Reaching the end is noted only by a
// read that finds nothing more, so the last token of a text without a final
// line end is still read and acted on.
class TextCursor {
public:
    explicit TextCursor(const std::string& text) : text_(text) {}

    int Next() {
        if (position_ >= text_.size()) {
            atEnd_ = true;
            return EOF;
        }
        return static_cast<unsigned char>(text_[position_++]);
    }
    void Back() { --position_; }
    bool AtEnd() const { return atEnd_; }

private:
    const std::string& text_;
    std::size_t position_ = 0;
    bool atEnd_ = false;
};

// The next byte, with every kind of line end (CR LF, LF, a lone CR) given
// as one '\n'. A lone CR counts as a line end so that a file with old Mac
// line ends, or a damaged one, still reads line by line; the other control
// bytes are ordinary characters.
int ReadCharacter(TextCursor& text) {
    const int c = text.Next();
    if (c != '\r') return c;
    const int next = text.Next();
    if (next != '\n' && next != EOF) text.Back();
    return '\n';
}

// Reads the next token into `token`: leading blanks dropped, "%" stored as
// "$" and a double quote as a backquote, ended by `delimiter`, a line end, a
// zero byte or the end of the text (none of them stored). Characters past
// the field's 127 are read and dropped.
void ReadToken(TextCursor& text, char (&token)[kTextFieldSize], char delimiter) {
    std::size_t length = 0;
    for (;;) {
        int c = ReadCharacter(text);
        if (c == ' ' && length == 0) continue;
        if (c == EOF || c == '\n' || c == static_cast<unsigned char>(delimiter) || c == '\0') break;
        if (c == '%') c = '$';
        if (c == '"') c = '`';
        // The rest of an over-long token is read and dropped.
        if (length < kTextFieldSize - 1) token[length++] = static_cast<char>(c);
    }
    token[length] = '\0';
}

const ConfigFileKey* FindKey(const char* token) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        if (std::strcmp(token, key.key.data()) == 0) return &key;
    }
    return nullptr;
}

// Hands each completed block to `store`, which says whether to go on.
template <typename Store>
void ReadBlocks(const std::string& text, Store store) {
    TextCursor cursor(text);
    // One working record for the whole file: a key missing from a block keeps
    // the value the previous block gave it.
    Configuration working{};
    char key[kTextFieldSize];
    char value[kTextFieldSize];
    while (!cursor.AtEnd()) {
        ReadToken(cursor, key, ':');
        const ConfigFileKey* found = FindKey(key);
        if (!found) continue;
        ReadToken(cursor, value, '\n');
        if (found->field) {
            CopyText(working.*found->field, value);
        } else {
            working.dhcpEnabled = std::strcmp(value, kDhcpOn) == 0 ? 1 : 0;
        }
        if (found == &kBlockEndKey && !store(working)) return;
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

}  // namespace

namespace reference {

void ReadConfigurations(const std::string& text, ConfigurationList& list) {
    ReadBlocks(text, [&list](const Configuration& record) { return list.Append(record); });
}

bool HoldsConfigurationsOrNothing(const std::string& text) {
    bool found = false;
    ReadBlocks(text, [&found](const Configuration&) {
        found = true;
        return false;  // one is enough
    });
    if (found) return true;
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

}  // namespace reference
