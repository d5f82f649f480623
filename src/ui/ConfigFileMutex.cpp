#include "ui/ConfigFileMutex.h"

#include <cstdio>

std::uint32_t Fnv1aHash(const std::string& bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 16777619u;
    }
    return hash;
}

std::string ConfigFileMutexName(const std::string& fullPathInCapitals, bool global) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X",
                  static_cast<unsigned>(Fnv1aHash(fullPathInCapitals)));
    return std::string(global ? "Global\\" : "") + "Nicset.conf." + digits;
}

bool TakesGlobalPrefix(std::uint32_t versionWord) {
    // The "98" family and NT 4.0 know no namespaces: there a backslash is refused.
    return (versionWord & 0x80000000u) == 0 && (versionWord & 0xFFu) >= 5;
}
