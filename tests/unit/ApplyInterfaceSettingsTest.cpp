#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AdapterTestData.h"
#include "adapter/InterfaceSettings.h"

namespace {

const Configuration kOffice = MakeConfiguration("192.168.0.10", "255.255.255.0", "", "10.0.0.1",
                                                "10.0.0.2", "00A0C9112233", 7);

TEST_P(ApplyInterfaceSettingsTest, WritesEveryValueWithItsTypeAndFixedLength) {
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
        const bool nt = profile.family == "NT";
        const std::uint32_t text = nt ? kRegMultiSz : kRegSz;
        const std::string tcpip = InterfacePath(profile, adapter);

        EXPECT_FALSE(ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, kOffice)));

        EXPECT_EQ(backend().Inspect(tcpip, "EnableDHCP"),
                  (RegistryValue{kRegDword, Bytes("\1\0\0\0")}));
        EXPECT_EQ(backend().Inspect(tcpip, "IPAddress"),
                  (RegistryValue{text, Padded("192.168.0.10", 16)}));
        EXPECT_EQ(backend().Inspect(tcpip, "DefaultGateway"),
                  (RegistryValue{text, std::string(16, '\0')}));
        EXPECT_EQ(backend().Inspect(tcpip, nt ? "SubnetMask" : "IPMask"),
                  (RegistryValue{text, Padded("255.255.255.0", 16)}));
        EXPECT_FALSE(backend().Inspect(tcpip, nt ? "IPMask" : "SubnetMask"));
        EXPECT_EQ(backend().Inspect(ResolverPath(profile, adapter), "NameServer"),
                  (RegistryValue{kRegSz, Padded("10.0.0.1,10.0.0.2", 40)}));
        if (!nt) {
            EXPECT_FALSE(backend().Inspect(tcpip, "NameServer"));
        }
        EXPECT_EQ(backend().Inspect(ClassPath(profile, adapter), "NetworkAddress"),
                  (RegistryValue{kRegSz, Padded("00A0C9112233", 16)}));
    }
}

TEST_P(ApplyInterfaceSettingsTest, JoinsTheResolverListUpToItsLength) {
    struct Row {
        const char* dns1;
        const char* dns2;
        const char* list;
    };
    const Row rows[] = {
        {"10.0.0.1", "10.0.0.2", "10.0.0.1,10.0.0.2"},
        {"", "10.0.0.2", "10.0.0.2"},
        {"10.0.0.1", "", "10.0.0.1"},
        {"", "", ""},
        {"123.123.123.123", "123.123.123.123.123.123", "123.123.123.123,123.123.123.123.123.123"},
    };
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        Configuration configuration = kOffice;
        CopyText(configuration.dns1, row.dns1);
        CopyText(configuration.dns2, row.dns2);
        EXPECT_FALSE(
            ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, configuration)));
        EXPECT_EQ(backend().Inspect(InterfacePath(profile, adapter), "NameServer"),
                  (RegistryValue{kRegSz, Padded(row.list, 40)}));
    }
}

TEST_P(ApplyInterfaceSettingsTest, TooLongOrUnusableTextsAreRefusedBeforeAnythingIsWritten) {
    const std::string sixteen = "192.168.100.1001";
    const std::string fifteen = "192.168.100.100";
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
    struct Row {
        const char* what;
        char (Configuration::*field)[kTextFieldSize];
        std::string text;
    };
    const Row rows[] = {
        {"address", &Configuration::ipAddress, sixteen},
        {"gateway", &Configuration::gateway, sixteen},
        {"mask", &Configuration::mask, sixteen},
        {"hardware address", &Configuration::macAddress, "00A0C91122334455"},
        {"hardware address of a group", &Configuration::macAddress, "01-00-5E-00-00-01"},
        {"first server alone", &Configuration::dns1, std::string(40, '1')},
        {"joined servers", &Configuration::dns2, std::string(32, '2')},  // 8 + 1 + 32
        {"address not dotted", &Configuration::ipAddress, "not.an.addr"},
        {"address with a blank", &Configuration::ipAddress, "10.0.0.1 "},
        {"address with an empty part", &Configuration::ipAddress, "1..3.4"},
        {"mask not dotted", &Configuration::mask, "x"},
        {"mask not contiguous", &Configuration::mask, "255.0.255.0"},
        {"gateway of six parts", &Configuration::gateway, "1.2.3.4.5.6"},
        {"gateway with a letter", &Configuration::gateway, "10.0.0.1a"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Configuration configuration = kOffice;
        CopyText(configuration.*row.field, row.text.c_str());
        EXPECT_FALSE(PassesApplyChecks(profile, adapter, configuration));
        EXPECT_TRUE(
            ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, configuration)));
        EXPECT_FALSE(backend().KeyExists(InterfacePath(profile, adapter)));
        EXPECT_FALSE(backend().KeyExists(ClassPath(profile, adapter)));
    }

    Configuration unterminated = kOffice;
    std::memset(unterminated.ipAddress, '1', kTextFieldSize);
    EXPECT_FALSE(PassesApplyChecks(profile, adapter, unterminated));
    EXPECT_TRUE(ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, unterminated)));
    EXPECT_FALSE(backend().KeyExists(InterfacePath(profile, adapter)));

    // Fifteen characters fit. A multi-string gets both its terminators, one
    // byte past the fixed length; a plain string keeps the fixed length. A
    // hardware address as ipconfig prints it is written as its 12 digits.
    const Configuration longest = MakeConfiguration(
        fifteen.c_str(), "255.255.255.252", fifteen.c_str(), "", "", "00-a0-c9-11-22-33", 0);
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile familyProfile = backend().Profile(family);
        const AdapterEntry familyAdapter = FamilyAdapter(familyProfile, "0002", "X");
        const std::string tcpip = InterfacePath(familyProfile, familyAdapter);
        EXPECT_TRUE(PassesApplyChecks(familyProfile, familyAdapter, longest));
        EXPECT_FALSE(backend().KeyExists(tcpip)) << "the checks alone touch no registry";
        EXPECT_FALSE(
            ApplyFailed(ApplyInterfaceSettings(registry(), familyProfile, familyAdapter, longest)));
        const bool nt = familyProfile.family == "NT";
        const RegistryValue written{nt ? kRegMultiSz : kRegSz, Padded(fifteen, nt ? 17 : 16)};
        EXPECT_EQ(backend().Inspect(tcpip, "IPAddress"), written);
        EXPECT_EQ(backend().Inspect(tcpip, "DefaultGateway"), written);
        EXPECT_EQ(backend().Inspect(tcpip, nt ? "SubnetMask" : "IPMask"),
                  (RegistryValue{written.type, Padded("255.255.255.252", nt ? 17 : 16)}));
        EXPECT_EQ(backend().Inspect(ClassPath(familyProfile, familyAdapter), "NetworkAddress"),
                  (RegistryValue{kRegSz, Padded("00A0C9112233", 16)}));
    }
}

TEST_P(ApplyInterfaceSettingsTest, DefaultDeletesTheHardwareAddress) {
    struct Row {
        const char* macAddress;
        bool seeded;
        std::optional<RegistryValue> expected;
    };
    const Row rows[] = {
        {"Default", true, std::nullopt},
        {"Default", false, std::nullopt},
        {"default", true, std::nullopt},
        {"", true, std::nullopt},
    };
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.macAddress << (row.seeded ? " seeded" : " absent"));
        if (row.seeded) {
            backend().Seed(ClassPath(profile, adapter), "NetworkAddress", kRegSz, Bytes("0011\0"));
        }
        Configuration configuration = kOffice;
        CopyText(configuration.macAddress, row.macAddress);
        EXPECT_FALSE(
            ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, configuration)));
        EXPECT_EQ(backend().Inspect(ClassPath(profile, adapter), "NetworkAddress"), row.expected);
    }
}

TEST_P(ApplyInterfaceSettingsTest, AKeyWithoutRightsStopsTheApplyBeforeAnythingIsWritten) {
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry refusedClass = FamilyAdapter(profile, "0001", "X");
    if (!backend().RefuseFullAccess(ClassPath(profile, refusedClass))) {
        GTEST_SKIP() << "cannot refuse a key";
    }
    Configuration keepOwnAddress = kOffice;
    CopyText(keepOwnAddress.macAddress, "Default");
    for (const Configuration& configuration : {kOffice, keepOwnAddress}) {
        SCOPED_TRACE(configuration.macAddress);
        EXPECT_EQ(ApplyInterfaceSettings(registry(), profile, refusedClass, configuration),
                  ApplyResult::kAccessDenied);
        EXPECT_FALSE(backend().Inspect(InterfacePath(profile, refusedClass), "EnableDHCP"));
        EXPECT_FALSE(backend().Inspect(InterfacePath(profile, refusedClass), "NameServer"));
    }

    const AdapterEntry refusedTcpip = MakeAdapter("{REFUSED}", "0002", "Y");
    ASSERT_TRUE(backend().RefuseFullAccess(InterfacePath(profile, refusedTcpip)));
    EXPECT_EQ(ApplyInterfaceSettings(registry(), profile, refusedTcpip, kOffice),
              ApplyResult::kAccessDenied);
    EXPECT_FALSE(backend().Inspect(ClassPath(profile, refusedTcpip), "NetworkAddress"));
}

// A write that fails halfway puts back every value written before it, so
// the interface is exactly as it was.
TEST_P(ApplyInterfaceSettingsTest, AFailedWritePutsBackEveryValueWrittenBeforeIt) {
    Configuration keepOwnAddress = kOffice;
    CopyText(keepOwnAddress.macAddress, "Default");
    for (const char* family : {"NT", "98"}) {
        const PlatformProfile profile = backend().Profile(family);
        const bool nt = profile.family == "NT";
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
        const std::string tcpip = InterfacePath(profile, adapter);
        const std::string resolver = ResolverPath(profile, adapter);
        const std::string adapterKey = ClassPath(profile, adapter);
        // In the order Apply writes them; "NT" with DHCP on deletes one more.
        std::vector<std::pair<std::string, const char*>> written = {
            {tcpip, "EnableDHCP"},     {tcpip, "IPAddress"},
            {tcpip, "DefaultGateway"}, {tcpip, nt ? "SubnetMask" : "IPMask"},
            {resolver, "NameServer"},  {adapterKey, "NetworkAddress"}};
        if (nt) written.insert(written.begin() + 1, {tcpip, "DisableDhcpOnConnect"});
        for (std::size_t failing = 0; failing < written.size(); ++failing) {
            for (const Configuration& configuration : {kOffice, keepOwnAddress}) {
                SCOPED_TRACE(testing::Message() << family << ", write " << failing << " fails, MAC "
                                                << configuration.macAddress);
                auto fresh = GetParam().make();
                RegistryTestBackend& registryBackend = *fresh;
                // Two addresses, an absent gateway, odd bytes: as Windows may hold them.
                registryBackend.Seed(tcpip, "EnableDHCP", kRegDword, Bytes("\1\0\0\0"));
                registryBackend.Seed(tcpip, "DisableDhcpOnConnect", kRegDword, Bytes("\1\0\0\0"));
                registryBackend.Seed(tcpip, "IPAddress", kRegMultiSz,
                                     Bytes("10.0.0.5\0"
                                           "10.0.0.6\0\0"));
                registryBackend.Seed(tcpip, nt ? "SubnetMask" : "IPMask", kRegBinary, "\xff");
                registryBackend.Seed(resolver, "NameServer", kRegSz, "10.0.0.1 10.0.0.2");
                registryBackend.Seed(adapterKey, "NetworkAddress", kRegSz, Bytes("02004C4F4F50\0"));
                std::vector<std::optional<RegistryValue>> before;
                for (const auto& value : written)
                    before.push_back(registryBackend.Inspect(value.first, value.second));
                if (!registryBackend.RefuseValue(written[failing].first, written[failing].second,
                                                 0))
                    GTEST_SKIP() << "cannot refuse a value";

                EXPECT_EQ(ApplyInterfaceSettings(registryBackend.registry(), profile, adapter,
                                                 configuration),
                          ApplyResult::kPutBack);
                for (std::size_t index = 0; index < written.size(); ++index) {
                    SCOPED_TRACE(written[index].second);
                    EXPECT_EQ(registryBackend.Inspect(written[index].first, written[index].second),
                              before[index]);
                }
            }
        }
    }
    // Putting back fails too: what could be put back is, and the result says so.
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
    const std::string tcpip = InterfacePath(profile, adapter);
    ASSERT_TRUE(backend().RefuseValue(tcpip, "NameServer", 0));
    ASSERT_TRUE(backend().RefuseValue(tcpip, "IPAddress", 1));
    EXPECT_EQ(ApplyInterfaceSettings(registry(), profile, adapter, kOffice),
              ApplyResult::kPartlyChanged);
    EXPECT_TRUE(backend().Inspect(tcpip, "IPAddress"));
    EXPECT_FALSE(backend().Inspect(tcpip, "EnableDHCP"));
    EXPECT_FALSE(backend().Inspect(tcpip, "SubnetMask"));
}

TEST_P(ApplyInterfaceSettingsTest, AnAdapterWithoutKeyNamesWritesNothingToTheBaseKeys) {
    const PlatformProfile profile = backend().Profile("NT");
    EXPECT_EQ(ApplyInterfaceSettings(registry(), profile, MakeAdapter("", "", "X"), kOffice),
              ApplyResult::kPutBack);
    EXPECT_FALSE(backend().Inspect(profile.tcpipBasePath, "IPAddress"));
    EXPECT_FALSE(backend().Inspect(profile.adapterClassBasePath, "NetworkAddress"));
}

TEST_P(ApplyInterfaceSettingsTest, WhatIsAppliedReadsBack) {
    const Configuration configurations[] = {
        MakeConfiguration("192.168.0.10", "255.255.255.0", "192.168.0.1", "10.0.0.1", "10.0.0.2",
                          "00A0C9112233", 0),
        MakeConfiguration("0.0.0.0", "0.0.0.0", "", "", "", "Default", 1),
        MakeConfiguration("10.1.2.3", "255.0.0.0", "", "10.0.0.1", "", "Default", 0),
        // What Windows itself may hold: no class rule, blanks in the server list.
        MakeConfiguration("192.168.1.5", "255.255.0.0", "", "10.0.0.1 10.0.0.2", "", "Default", 0),
        MakeConfiguration("192.168.100.200", "255.255.255.252", "192.168.100.201", "", "",
                          "Default", 0),
    };
    for (const char* family : {"NT", "98"}) {
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "Fast Ethernet Adapter");
        backend().Seed(ClassPath(profile, adapter), "BusType", kRegSz, Bytes("5\0"));
        for (const Configuration& configuration : configurations) {
            SCOPED_TRACE(testing::Message() << family << " " << configuration.ipAddress);
            const std::string tcpip = InterfacePath(profile, adapter);
            backend().Seed(tcpip, "DisableDhcpOnConnect", kRegDword, Bytes("\1\0\0\0"));
            EXPECT_FALSE(
                ApplyFailed(ApplyInterfaceSettings(registry(), profile, adapter, configuration)));
            // Deleted where it would make Windows ignore DHCP on.
            EXPECT_EQ(backend().Inspect(tcpip, "DisableDhcpOnConnect").has_value(),
                      profile.family == "98" || !configuration.dhcpEnabled);
            Configuration readBack = JunkConfiguration();
            ReadInterfaceSettings(registry(), profile, adapter, readBack);
            ExpectSameSettings(readBack, configuration);
            EXPECT_STREQ(readBack.name, "Back - Fast Ethernet Adapter");
        }
    }
}

TEST_P(ApplyInterfaceSettingsTest, The98ResolverListIsSharedByEveryInterface) {
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry first =
            MakeAdapter(profile.family == "NT" ? "{A}" : "0000", "0000", "A");
        const AdapterEntry second =
            MakeAdapter(profile.family == "NT" ? "{B}" : "0001", "0001", "B");
        EXPECT_FALSE(ApplyFailed(ApplyInterfaceSettings(registry(), profile, first, kOffice)));
        Configuration result{};
        ReadInterfaceSettings(registry(), profile, second, result);
        EXPECT_STREQ(result.dns1, profile.family == "98" ? "10.0.0.1" : "");
    }
}

}  // namespace
