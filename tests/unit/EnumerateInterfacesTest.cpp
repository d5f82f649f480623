#include <string>
#include <vector>

#include "RegistryTestBackend.h"
#include "adapter/Interfaces.h"

namespace {

struct SeededSubkey {
    const char* name;
    const char* marker;  // "MaxMulticast", "BusType", or null for neither
    const char* instanceId;
    std::string description;  // empty: no "DriverDesc"
};

void SeedSubkeys(RegistryTestBackend& backend, const PlatformProfile& profile,
                 const std::vector<SeededSubkey>& subkeys) {
    for (const SeededSubkey& subkey : subkeys) {
        const std::string path = profile.adapterClassBasePath + subkey.name;
        backend.Seed(path, "Characteristics", kRegDword, Bytes("\x84\0\0\0"));
        if (subkey.marker) backend.Seed(path, subkey.marker, kRegSz, Bytes("5\0"));
        if (subkey.instanceId) {
            backend.Seed(path, "NetCfgInstanceId", kRegSz, std::string(subkey.instanceId) + '\0');
        }
        if (!subkey.description.empty()) {
            backend.Seed(path, "DriverDesc", kRegSz, subkey.description + '\0');
        }
    }
}

struct Listing {
    AdapterList adapters;
    std::vector<std::string> shown;
};

Listing Enumerate(Registry& registry, const PlatformProfile& profile) {
    Listing listing;
    EnumerateInterfaces(registry, profile, listing.adapters, [&listing](const char* description) {
        listing.shown.push_back(description);
    });
    return listing;
}

// Identical cards are told apart by a number, so each line names one card.
TEST_P(EnumerateInterfacesTest, ListsTheSubkeysWithAMarkerInRegistryOrder) {
    const std::string longest(254, 'L');  // 255 bytes with its terminator: the limit
    const std::vector<SeededSubkey> seeded = {
        {"0003", "MaxMulticast", "{C3}", "Fast Ethernet Adapter"},
        {"0000", "MaxMulticast", "{C0}", "B"},
        {"0001", "BusType", "{C1}", "Fast Ethernet Adapter"},
        {"0002", nullptr, "{C2}", "Not an interface"},
        {"000040", "BusType", "{C4}", "Name too long for classSubkey"},
        {"0005", "BusType", nullptr, ""},
        {"0006", "BusType", "{C6}", longest},
        {"0007", "BusType", "{C7}", longest + "L"},
        {"0008", "BusType", "{C8}", "X"},
        {"0009", "BusType", "{C9}", "X"},
        {"0010", "BusType", "{C10}", "X #2"},
        {"0011", "BusType", "{C11}", longest},
    };
    struct Expected {
        const char* classSubkey;
        const char* ntInterfaceKey;
        std::string description;
    };
    const std::vector<Expected> expected = {
        {"0000", "{C0}", "B"},
        {"0001", "{C1}", "Fast Ethernet Adapter"},
        {"0003", "{C3}", "Fast Ethernet Adapter #2"},
        {"0005", "", ""},
        {"0006", "{C6}", longest},
        {"0007", "{C7}", " #2"},
        {"0008", "{C8}", "X"},
        {"0009", "{C9}", "X #3"},
        {"0010", "{C10}", "X #2"},
        {"0011", "{C11}", longest.substr(0, 252) + " #2"},
    };
    for (const char* family : {"NT", "98"}) {
        SCOPED_TRACE(family);
        const PlatformProfile profile = backend().Profile(family);
        SeedSubkeys(backend(), profile, seeded);
        const Listing listing = Enumerate(registry(), profile);
        ASSERT_EQ(listing.adapters.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(expected[i].classSubkey);
            const AdapterEntry& entry = listing.adapters[i];
            EXPECT_STREQ(entry.classSubkey, expected[i].classSubkey);
            EXPECT_STREQ(entry.interfaceKey, profile.family == "NT" ? expected[i].ntInterfaceKey
                                                                    : expected[i].classSubkey);
            EXPECT_EQ(entry.description, expected[i].description);
            EXPECT_EQ(listing.shown[i], expected[i].description);
        }
    }
}

TEST_P(EnumerateInterfacesTest, AppendsToWhatTheListHolds) {
    const PlatformProfile profile = backend().Profile("NT");
    SeedSubkeys(backend(), profile, {{"0000", "BusType", "{C0}", "A"}});
    AdapterList adapters(1, AdapterEntry{});
    EnumerateInterfaces(registry(), profile, adapters, nullptr);
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_STREQ(adapters[1].description, "A");
}

TEST_P(EnumerateInterfacesTest, AMissingClassKeyListsNothingAndStaysMissing) {
    const PlatformProfile profile = backend().Profile("NT");
    ASSERT_FALSE(backend().KeyExists(profile.adapterClassBasePath));
    const Listing listing = Enumerate(registry(), profile);
    EXPECT_TRUE(listing.adapters.empty());
    EXPECT_TRUE(listing.shown.empty());
    EXPECT_FALSE(backend().KeyExists(profile.adapterClassBasePath));
}

// A user without administrator rights sees the interfaces all the same.
TEST_P(EnumerateInterfacesTest, AClassKeyWithoutWriteRightsListsAsUsual) {
    const PlatformProfile profile = backend().Profile("NT");
    SeedSubkeys(backend(), profile, {{"0000", "BusType", "{C0}", "A"}});
    if (!backend().RefuseFullAccess(profile.adapterClassBasePath)) {
        GTEST_SKIP() << "cannot refuse a key";
    }
    const Listing listing = Enumerate(registry(), profile);
    EXPECT_EQ(listing.shown, std::vector<std::string>{"A"});
}

}  // namespace
