#include <string>

#include "AdapterTestData.h"
#include "adapter/InterfaceSettings.h"

namespace {

Configuration Read(Registry& registry, const PlatformProfile& profile,
                   const AdapterEntry& adapter) {
    Configuration result = JunkConfiguration();
    ReadInterfaceSettings(registry, profile, adapter, result);
    return result;
}

TEST_P(ReadInterfaceSettingsTest, ReadsEachFamilysValues) {
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "Fast Ethernet Adapter");
        const bool nt = profile.family == "NT";
        const std::uint32_t text = nt ? kRegMultiSz : kRegSz;
        const std::string tcpip = InterfacePath(profile, adapter);
        backend().Seed(tcpip, "IPAddress", text, Bytes("192.168.0.10\0"));
        backend().Seed(tcpip, nt ? "SubnetMask" : "IPMask", text, Bytes("255.255.255.0\0"));
        backend().Seed(tcpip, nt ? "IPMask" : "SubnetMask", text, Bytes("1.1.1.1\0"));
        backend().Seed(tcpip, "DefaultGateway", text, Bytes("192.168.0.1\0"));
        backend().Seed(tcpip, "EnableDHCP", kRegDword, Bytes("\1\0\0\0"));
        if (!nt) backend().Seed(tcpip, "NameServer", kRegSz, Bytes("9.9.9.9\0"));
        backend().Seed(ResolverPath(profile, adapter), "NameServer", kRegSz,
                       Bytes("10.0.0.1,10.0.0.2\0"));
        backend().Seed(ClassPath(profile, adapter), "NetworkAddress", kRegSz,
                       Bytes("00A0C9112233\0"));

        const Configuration result = Read(registry(), profile, adapter);
        ExpectSameSettings(result, MakeConfiguration("192.168.0.10", "255.255.255.0", "192.168.0.1",
                                                     "10.0.0.1", "10.0.0.2", "00A0C9112233", 1));
        EXPECT_STREQ(result.name, "Back - Fast Ethernet Adapter");
    }
}

TEST_P(ReadInterfaceSettingsTest, OddValuesNeverRunPastAField) {
    struct Row {
        const char* what;
        const char* valueName;
        std::uint32_t type;
        std::string data;
        char (Configuration::*field)[kTextFieldSize];
        std::string expected;
        bool refusedAtApply = false;  // and the value left as it was
    };
    const std::string longAddress(300, 'A');
    const Row rows[] = {
        {"one address", "IPAddress", kRegMultiSz, Bytes("192.168.0.10\0\0"),
         &Configuration::ipAddress, "192.168.0.10"},
        {"two addresses: the first shows", "IPAddress", kRegMultiSz,
         Bytes("192.168.0.10\0"
               "10.0.0.1\0\0"),
         &Configuration::ipAddress, "192.168.0.10"},
        {"15 characters in the 17 bytes Windows writes", "DefaultGateway", kRegMultiSz,
         Bytes("192.168.100.200\0\0"), &Configuration::gateway, "192.168.100.200"},
        {"a mask in the 16 bytes of older writes", "SubnetMask", kRegMultiSz,
         Bytes("255.255.255.252\0"), &Configuration::mask, "255.255.255.252"},
        {"a first string of 16 characters", "IPAddress", kRegMultiSz, Bytes("255.255.255.2551\0\0"),
         &Configuration::ipAddress, ""},
        {"16 bytes without a terminator", "IPAddress", kRegSz, "255.255.255.2551",
         &Configuration::ipAddress, ""},
        {"a value past 4 KB", "IPAddress", kRegMultiSz,
         Bytes("10.0.0.1\0") + std::string(4096, '1') + Bytes("\0\0"), &Configuration::ipAddress,
         ""},
        {"a DWORD is read as text", "DefaultGateway", kRegDword, Bytes("12\0\0"),
         &Configuration::gateway, "12"},
        {"no hardware address", nullptr, 0, "", &Configuration::macAddress, "Default"},
        {"empty hardware address", "NetworkAddress", kRegSz, Bytes("\0"),
         &Configuration::macAddress, "Default"},
        {"20 bytes without a terminator", "NetworkAddress", kRegSz, "00A0C9112233445566AA",
         &Configuration::macAddress, "00A0C9112233445566AA", true},
        {"hardware address over 20 bytes", "NetworkAddress", kRegSz,
         Bytes("00A0C9112233445566AA\0"), &Configuration::macAddress, "00A0C9112233445566AA", true},
        {"hardware address of 300 characters, cut to the field", "NetworkAddress", kRegSz,
         longAddress + '\0', &Configuration::macAddress, longAddress.substr(0, 127), true},
        {"a hardware address in small letters with dashes reads as 12 digits", "NetworkAddress",
         kRegSz, Bytes("00-a0-c9-11-22-33\0"), &Configuration::macAddress, "00A0C9112233"},
        {"a group address reads as it is", "NetworkAddress", kRegSz, Bytes("01005e000001\0"),
         &Configuration::macAddress, "01005e000001"},
        {"a line break in a hardware address becomes blanks", "NetworkAddress", kRegSz,
         Bytes("00A0\r\nC9112233\0"), &Configuration::macAddress, "00A0  C9112233"},
        {"a line break in the resolver list", "NameServer", kRegSz,
         Bytes("10.0.0.1\n,10.0.0.2\r\0"), &Configuration::dns2, "10.0.0.2 "},
    };
    const PlatformProfile profile = backend().Profile("NT");
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string subkey = "00" + std::to_string(10 + number++);
        const AdapterEntry adapter =
            MakeAdapter(("{R" + subkey + "}").c_str(), subkey.c_str(), "X");
        if (row.valueName) {
            const bool inClassKey = std::string(row.valueName) == "NetworkAddress";
            backend().Seed(
                inClassKey ? ClassPath(profile, adapter) : InterfacePath(profile, adapter),
                row.valueName, row.type, row.data);
        }
        const Configuration result = Read(registry(), profile, adapter);
        EXPECT_EQ(result.*row.field, row.expected);
        if (row.refusedAtApply) {
            EXPECT_EQ(ApplyInterfaceSettings(registry(), profile, adapter, result),
                      ApplyResult::kRefused);
            EXPECT_EQ(backend().Inspect(ClassPath(profile, adapter), row.valueName),
                      (RegistryValue{row.type, row.data}));
        }
    }
}

TEST_P(ReadInterfaceSettingsTest, OnlyAFourByteNonZeroEnableDhcpIsOn) {
    struct Row {
        const char* what;
        std::uint32_t type;
        std::string data;  // empty: absent
        unsigned char expected;
    };
    const Row rows[] = {
        {"absent", kRegDword, "", 0},
        {"0", kRegDword, Bytes("\0\0\0\0"), 0},
        {"1", kRegDword, Bytes("\1\0\0\0"), 1},
        {"256", kRegDword, Bytes("\0\1\0\0"), 1},
        {"two bytes", kRegBinary, Bytes("\1\0"), 0},
        {"eight bytes", kRegBinary, Bytes("\1\0\0\0\0\0\0\0"), 0},
        {"four bytes of text", kRegSz, Bytes("1\0\0\0"), 1},
    };
    const PlatformProfile profile = backend().Profile("NT");
    const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.data.empty()) {
            backend().Seed(InterfacePath(profile, adapter), "EnableDHCP", row.type, row.data);
        }
        EXPECT_EQ(Read(registry(), profile, adapter).dhcpEnabled, row.expected);
    }
}

TEST_P(ReadInterfaceSettingsTest, OnlyCommasSplitTheResolverList) {
    struct Row {
        std::string list;  // empty: absent
        std::string dns1;
        std::string dns2;
    };
    const Row rows[] = {
        {"", "", ""},
        {Bytes("10.0.0.1,10.0.0.2\0"), "10.0.0.1", "10.0.0.2"},
        {Bytes("10.0.0.1\0"), "10.0.0.1", ""},
        {Bytes("10.0.0.1,10.0.0.2,10.0.0.3\0"), "10.0.0.1", "10.0.0.2,10.0.0.3"},
        {Bytes(",10.0.0.2,\0"), "10.0.0.2", ""},
        {Bytes(",,,\0"), "", ""},
        {Bytes("10.0.0.1 10.0.0.2\0"), "10.0.0.1 10.0.0.2", ""},
        {std::string(128, '1'), std::string(127, '1'), ""},
        {std::string(129, '1'), "", ""},
    };
    for (const char* family : {"NT", "98"}) {
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "X");
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << family << " " << row.list);
            if (!row.list.empty()) {
                backend().Seed(ResolverPath(profile, adapter), "NameServer", kRegSz, row.list);
            }
            const Configuration result = Read(registry(), profile, adapter);
            EXPECT_EQ(result.dns1, row.dns1);
            EXPECT_EQ(result.dns2, row.dns2);
        }
    }
}

TEST_P(ReadInterfaceSettingsTest, TheNameIsBuiltFromTheDescriptionOnOneLine) {
    struct Row {
        std::string description;
        std::string name;
    };
    const Row rows[] = {
        {std::string(130, 'D'), ("Back - " + std::string(130, 'D')).substr(0, 127)},
        {"Evil\r\nDireccion IP: 6.6.6.6\r\nNombre: Injected",
         "Back - Evil  Direccion IP: 6.6.6.6  Nombre: Injected"},
    };
    const PlatformProfile profile = backend().Profile("NT");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Configuration result =
            Read(registry(), profile, FamilyAdapter(profile, "0001", row.description.c_str()));
        EXPECT_EQ(std::string(result.name), row.name);
    }
}

TEST_P(ReadInterfaceSettingsTest, MissingKeysReadAsEmptyAndStayMissing) {
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "Fast Ethernet Adapter");
        ASSERT_FALSE(backend().KeyExists(InterfacePath(profile, adapter)));
        const Configuration result = Read(registry(), profile, adapter);
        EXPECT_FALSE(backend().KeyExists(InterfacePath(profile, adapter)));
        EXPECT_FALSE(backend().KeyExists(ClassPath(profile, adapter)));
        ExpectSameSettings(result, MakeConfiguration("", "", "", "", "", "Default", 0));
        EXPECT_STREQ(result.name, "Back - Fast Ethernet Adapter");
    }
}

// Reading needs no administrator rights.
TEST_P(ReadInterfaceSettingsTest, KeysWithoutWriteRightsReadAsUsual) {
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0001", "Fast Ethernet Adapter");
        backend().Seed(InterfacePath(profile, adapter), "IPAddress", kRegSz, Bytes("10.0.0.5\0"));
        backend().Seed(ResolverPath(profile, adapter), "NameServer", kRegSz, Bytes("10.0.0.1\0"));
        backend().Seed(ClassPath(profile, adapter), "NetworkAddress", kRegSz,
                       Bytes("00A0C9112233\0"));
        for (const std::string& path :
             {InterfacePath(profile, adapter), ResolverPath(profile, adapter),
              ClassPath(profile, adapter)}) {
            if (!backend().RefuseFullAccess(path)) GTEST_SKIP() << "cannot refuse a key";
        }
        const Configuration result = Read(registry(), profile, adapter);
        ExpectSameSettings(
            result, MakeConfiguration("10.0.0.5", "", "", "10.0.0.1", "", "00A0C9112233", 0));
    }
}

TEST_P(ReadInterfaceSettingsTest, AnAdapterWithoutKeyNamesReadsNothingFromTheBaseKeys) {
    const PlatformProfile profile = backend().Profile("NT");
    backend().Seed(profile.tcpipBasePath, "IPAddress", kRegSz, Bytes("10.0.0.5\0"));
    backend().Seed(profile.adapterClassBasePath, "NetworkAddress", kRegSz, Bytes("00A0C9112233\0"));
    const Configuration result = Read(registry(), profile, MakeAdapter("", "", "X"));
    ExpectSameSettings(result, MakeConfiguration("", "", "", "", "", "Default", 0));
}

}  // namespace
