// The bytes the configuration file is written with: the same on every build,
// CR LF written explicitly.
#include "config/ConfigFile.h"
#include "config/ConfigFileKeys.h"

namespace {

// Fields are printed with a bound so that a text without its terminator
// cannot be read past its field.
constexpr int kMaxText = static_cast<int>(kTextFieldSize - 1);

bool WriteLine(std::FILE* file, const char* text) {
    return std::fprintf(file, "%s\r\n", text) >= 0;
}

}  // namespace

// Writes the nine-line block of `record`. False when a write failed.
static bool WriteConfigurationBlock(std::FILE* file, Configuration record) {
    for (const ConfigFileKey& key : kConfigFileKeys) {
        const char* value = key.field ? record.*key.field : record.dhcpEnabled ? kDhcpOn : kDhcpOff;
        if (std::fprintf(file, "%s: %.*s\r\n", key.key, kMaxText, value) < 0) return false;
    }
    return WriteLine(file, "");
}

bool WriteConfigurations(std::FILE* file, const ConfigurationList& list) {
    for (const char* line : kBannerLines) {
        if (!WriteLine(file, line)) return false;
    }
    for (const Configuration& record : list) {
        if (!WriteConfigurationBlock(file, record)) return false;
    }
    return true;
}
