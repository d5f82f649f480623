// The bytes the configuration file is written with: the same on every build,
// CR LF written explicitly. The whole file is put together in memory and
// handed over in one write; only a list far larger than anyone keeps goes
// out in several pieces, so that the text in memory stays bounded.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "config/ConfigFile.h"
#include "config/ConfigFileKeys.h"

namespace {

// A text is written up to its terminator and never past its field, so that a
// text without its terminator cannot be read past its field.
constexpr std::size_t kMaxText = kTextFieldSize - 1;
// Some 35,000 configurations; a larger list is written in pieces of this size.
constexpr std::size_t kPieceBytes = 8u << 20;
constexpr std::size_t kLargestBlockBytes = 9 * (kMaxText + 24);

void AppendLine(std::string& text, const char* line, std::size_t length) {
    text.append(line, length);
    text.append("\r\n", 2);
}

void AppendBlock(std::string& text, const Configuration& record) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        const char* value = key.field ? record.*key.field : record.dhcpEnabled ? kDhcpOn : kDhcpOff;
        text.append(key.key);
        text.append(": ", 2);
        AppendLine(text, value, strnlen(value, kMaxText));
    }
    text.append("\r\n", 2);
}

bool Write(std::FILE* file, const std::string& text) {
    return text.empty() || std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

}  // namespace

bool WriteConfigurations(std::FILE* file, const ConfigurationList& list) {
    try {
        std::string text;
        text.reserve(std::min(kPieceBytes, 512 + list.Size() * 256) + kLargestBlockBytes);
        for (const char* line : kBannerLines)
            AppendLine(text, line, std::strlen(line));
        for (const Configuration& record : list) {
            if (text.size() >= kPieceBytes) {
                if (!Write(file, text)) return false;
                text.clear();
            }
            AppendBlock(text, record);
        }
        return Write(file, text);
    } catch (const std::bad_alloc&) {
        return false;
    }
}
