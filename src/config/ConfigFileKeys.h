// The file's fixed texts: the banner it begins with, and the keys of one
// block in the order the writer puts them. The reader accepts keys in any
// order.
#pragma once

#include <string_view>

#include "config/Configuration.h"

struct ConfigFileKey {
    std::string_view key;  // its length known without counting
    // The text field the value belongs to; null for the DHCP switch, whose
    // value is "Si" or "No".
    char (Configuration::*field)[kTextFieldSize];
};

// The keys are spelt as every Nicset.conf has them ("Sevidor" included):
// users' files depend on them, so they are never corrected.
inline constexpr ConfigFileKey kConfigFileKeys[] = {
    {"Nombre", &Configuration::name},
    {"DHCP Activado", nullptr},
    {"Direccion IP", &Configuration::ipAddress},
    {"MAC", &Configuration::macAddress},
    {"Mascara de Red", &Configuration::mask},
    {"Puerta de Enlace", &Configuration::gateway},
    {"1- Sevidor DNS", &Configuration::dns1},
    {"2- Sevidor DNS", &Configuration::dns2},  // ends a block: the record is stored here
};

inline constexpr const ConfigFileKey& kBlockEndKey = kConfigFileKeys[7];

constexpr const char kDhcpOn[] = "Si";
constexpr const char kDhcpOff[] = "No";

// The seven lines every file begins with. A file of these alone holds no
// configuration, so replacing it loses nothing.
inline constexpr const char kBannerStars[] = "****************************************************";
inline constexpr const char* kBannerLines[] = {
    kBannerStars,
    "  Archivo de Configuraciones de Nicset 2005",
    "",
    "         Quorvia",
    "www.example.com - nicset@example.com",
    kBannerStars,
    "",
};
