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
        if (key.key.size() > longest) longest = key.key.size();
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

void AppendBlock(PieceWriter& out, const Configuration& record) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        const char* dhcp = record.dhcpEnabled ? kDhcpOn : kDhcpOff;
        const char* value = key.field ? record.*key.field : dhcp;
        out.Append(key.key.data(), key.key.size());
        out.Append(": ", 2);
        out.AppendLine(value, TextLength(value));
    }
    out.Append("\r\n", 2);
}

}  // namespace

bool WriteConfigurations(std::FILE* file, const ConfigurationList& list) {
    try {
        PieceWriter out(file);
        for (const char* line : kBannerLines)
            out.AppendLine(line, std::strlen(line));
        for (const Configuration& record : list) {
            if (!out.MakeRoom()) return false;
            AppendBlock(out, record);
        }
        return out.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}
