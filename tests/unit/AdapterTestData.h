// Records and seeds shared by the reading and applying tests.
#pragma once

#include <cstring>
#include <string>

#include "RegistryTestBackend.h"
#include "adapter/Interfaces.h"
#include "common/BoundedText.h"
#include "config/Configuration.h"

inline AdapterEntry MakeAdapter(const char* interfaceKey, const char* classSubkey,
                                const char* description) {
    AdapterEntry adapter{};
    CopyText(adapter.interfaceKey, interfaceKey);
    CopyText(adapter.classSubkey, classSubkey);
    CopyText(adapter.description, description);
    return adapter;
}

// An interface as enumeration gives it on each family.
inline AdapterEntry FamilyAdapter(const PlatformProfile& profile, const char* classSubkey,
                                  const char* description) {
    const bool nt = profile.family == "NT";
    return MakeAdapter(nt ? "{6B1F4E3A-9C2D-4A7E-8F10-3D5C2B7A9E41}" : classSubkey, classSubkey,
                       description);
}

inline std::string InterfacePath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return profile.tcpipBasePath + adapter.interfaceKey + "\\";
}

inline std::string ClassPath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return profile.adapterClassBasePath + adapter.classSubkey + "\\";
}

// Where "NameServer" lives on the family.
inline std::string ResolverPath(const PlatformProfile& profile, const AdapterEntry& adapter) {
    return profile.family == "98" ? "System\\CurrentControlSet\\Services\\VxD\\MSTCP\\"
                                  : InterfacePath(profile, adapter);
}

inline Configuration MakeConfiguration(const char* ipAddress, const char* mask, const char* gateway,
                                       const char* dns1, const char* dns2, const char* macAddress,
                                       unsigned char dhcpEnabled) {
    Configuration configuration{};
    CopyText(configuration.ipAddress, ipAddress);
    CopyText(configuration.mask, mask);
    CopyText(configuration.gateway, gateway);
    CopyText(configuration.dns1, dns1);
    CopyText(configuration.dns2, dns2);
    CopyText(configuration.macAddress, macAddress);
    configuration.dhcpEnabled = dhcpEnabled;
    return configuration;
}

// Every field but the name.
inline void ExpectSameSettings(const Configuration& actual, const Configuration& expected) {
    EXPECT_STREQ(actual.ipAddress, expected.ipAddress);
    EXPECT_STREQ(actual.mask, expected.mask);
    EXPECT_STREQ(actual.gateway, expected.gateway);
    EXPECT_STREQ(actual.dns1, expected.dns1);
    EXPECT_STREQ(actual.dns2, expected.dns2);
    EXPECT_STREQ(actual.macAddress, expected.macAddress);
    EXPECT_EQ(actual.dhcpEnabled, expected.dhcpEnabled);
}

// A record full of junk, to show that reading clears every byte.
inline Configuration JunkConfiguration() {
    Configuration configuration;
    std::memset(&configuration, 0xBD, sizeof configuration);
    return configuration;
}
