// The operating-system family Nicset runs on, chosen once at start-up, and
// where that family's network stack keeps its settings in the registry.
#pragma once

#include <cstdint>
#include <string>

struct PlatformProfile {
    std::string family;                // exactly "98" or "NT"
    std::string tcpipBasePath;         // below HKEY_LOCAL_MACHINE, ends in a backslash
    std::string adapterClassBasePath;  // below HKEY_LOCAL_MACHINE, ends in a backslash
};

constexpr const char kFamily98[] = "98";
constexpr const char kFamilyNt[] = "NT";

// Fills `profile` from the word that GetVersion returns: the high bit set
// means the "98" family, anything else "NT". No other bit is looked at.
void SelectPlatformProfile(std::uint32_t versionWord, PlatformProfile& profile);

// Family tests compare the whole text, case-sensitively.
bool IsNtFamily(const PlatformProfile& profile);
bool Is98Family(const PlatformProfile& profile);
