// The bytes the configuration file is written with: the same on every build,
// CR LF written explicitly. The text is put together in memory, a piece of
// some hundreds of kilobytes at a time, each piece handed over in one write:
// fresh memory costs more than the writes (each new page is a fault), so one
// piece is reused rather than the whole file held at once.
#include <cstring>
#include <new>
#include <vector>

#include "config/ConfigFile.h"
#include "config/ConfigFileKeys.h"

namespace {

// A text is written up to its terminator and never past its field, so that a
// text without its terminator cannot be read past its field.
constexpr std::size_t kMaxText = kTextFieldSize - 1;
// Some 1,100 configurations of the usual size.
constexpr std::size_t kPieceBytes = 256u << 10;
constexpr std::size_t kKeyCount = sizeof kConfigFileKeys / sizeof kConfigFileKeys[0];

constexpr std::size_t LongestKey() {
    std::size_t longest = 0;
    for (const ConfigFileKey& key : kConfigFileKeys) {
        std::size_t length = 0;
        while (key.key[length] != '\0')
            ++length;
        if (length > longest) longest = length;
    }
    return longest;
}

// Each key, ": ", a value of at most kMaxText and CR LF; a blank line after.
constexpr std::size_t kLargestBlockBytes = kKeyCount * (LongestKey() + 2 + kMaxText + 2) + 2;

std::size_t TextLength(const char* text) {
    std::size_t length = 0;
    while (length < kMaxText && text[length] != '\0')
        ++length;
    return length;
}

class PieceWriter {
public:
    explicit PieceWriter(std::FILE* file)
        : file_(file), buffer_(kPieceBytes + kLargestBlockBytes) {}

    // Room for one more block of any size, or false when a write failed.
    bool MakeRoom() {
        if (used_ <= kPieceBytes) return true;
        return Flush();
    }
    bool Flush() {
        const bool written = used_ == 0 || std::fwrite(buffer_.data(), 1, used_, file_) == used_;
        used_ = 0;
        return written;
    }
    void Append(const char* text, std::size_t length) {
        std::memcpy(buffer_.data() + used_, text, length);
        used_ += length;
    }
    void AppendLine(const char* line, std::size_t length) {
        Append(line, length);
        Append("\r\n", 2);
    }

private:
    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

struct KeyText {
    const ConfigFileKey* key;
    std::size_t length;
};

void AppendBlock(PieceWriter& out, const Configuration& record, const KeyText (&keys)[kKeyCount]) {
    for (const KeyText& key : keys) {
        const ConfigFileKey& entry = *key.key;
        const char* dhcp = record.dhcpEnabled ? kDhcpOn : kDhcpOff;
        const char* value = entry.field ? record.*entry.field : dhcp;
        out.Append(entry.key, key.length);
        out.Append(": ", 2);
        out.AppendLine(value, TextLength(value));
    }
    out.Append("\r\n", 2);
}

}  // namespace

bool WriteConfigurations(std::FILE* file, const ConfigurationList& list) {
    try {
        KeyText keys[kKeyCount];
        for (std::size_t index = 0; index < kKeyCount; ++index)
            keys[index] = {&kConfigFileKeys[index], std::strlen(kConfigFileKeys[index].key)};
        PieceWriter out(file);
        for (const char* line : kBannerLines)
            out.AppendLine(line, std::strlen(line));
        for (const Configuration& record : list) {
            if (!out.MakeRoom()) return false;
            AppendBlock(out, record, keys);
        }
        return out.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}
