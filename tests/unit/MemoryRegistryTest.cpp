// The in-memory stand-in: the shared suites run against it, plus what only
// it can show (which keys are open when).
#include <memory>
#include <string>

#include "AdapterTestData.h"
#include "adapter/InterfaceSettings.h"

namespace {

class MemoryBackend : public RegistryTestBackend {
public:
    Registry& registry() override { return registry_; }
    std::string ScratchPath() const override { return "SOFTWARE\\NicsetTest\\"; }
    // The real layout, so that the suites check the real paths here.
    PlatformProfile Profile(const char* family) const override {
        PlatformProfile profile;
        SelectPlatformProfile(std::string(family) == "98" ? 0x80000000u : 0u, profile);
        return profile;
    }
    void Seed(const std::string& path, const char* name, std::uint32_t type,
              const std::string& data) override {
        registry_.SeedValue(path, name, type, data);
    }
    std::optional<RegistryValue> Inspect(const std::string& path, const char* name) override {
        return registry_.FindValue(path, name);
    }
    bool KeyExists(const std::string& path) override { return registry_.KeyExists(path); }
    bool RefuseFullAccess(const std::string& path) override {
        registry_.RefuseFullAccess(path);
        return true;
    }
    bool RefuseValue(const std::string& path, const char* name, int allowedChanges) override {
        registry_.RefuseValue(path, name, allowedChanges);
        return true;
    }

private:
    MemoryRegistry registry_;
};

const RegistryBackendParam kMemory{"Memory", [] { return std::make_unique<MemoryBackend>(); }};

}  // namespace

NICSET_INSTANTIATE_REGISTRY_SUITES(Memory, kMemory);

namespace {

TEST(MemoryRegistryTest, AKeyClosesOnceWhenMovedOrReplaced) {
    MemoryRegistry registry;
    RegistryKey first = registry.CreateKey("A");
    RegistryKey second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(registry.OpenKeyCount(), 1u);
    second = registry.CreateKey("B");
    EXPECT_EQ(registry.OpenKeyCount(), 1u);
    second.Close();
    EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

// Each operation closes a key before it opens the next one, and the last
// one before it returns; the enumeration holds the class key and one subkey.
TEST(MemoryRegistryTest, EachOperationClosesItsKeys) {
    for (const std::uint32_t versionWord : {0u, 0x80000000u}) {
        PlatformProfile profile;
        SelectPlatformProfile(versionWord, profile);
        SCOPED_TRACE(profile.family);
        const AdapterEntry adapter = FamilyAdapter(profile, "0000", "A");
        struct Step {
            const char* what;
            std::function<void(Registry&)> run;
            std::size_t mostOpen;
        };
        const Step steps[] = {
            {"enumerate",
             [&](Registry& registry) {
                 AdapterList adapters;
                 EnumerateInterfaces(registry, profile, adapters, nullptr);
             },
             2},
            {"read",
             [&](Registry& registry) {
                 Configuration result{};
                 ReadInterfaceSettings(registry, profile, adapter, result);
             },
             1},
            {"apply",
             [&](Registry& registry) {
                 ApplyInterfaceSettings(registry, profile, adapter, Configuration{});
             },
             1},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            MemoryRegistry registry;
            registry.SeedValue(ClassPath(profile, adapter), "BusType", kRegSz, Bytes("5\0"));
            step.run(registry);
            EXPECT_EQ(registry.OpenKeyCount(), 0u);
            EXPECT_EQ(registry.MostKeysOpenAtOnce(), step.mostOpen);
        }
    }
}

}  // namespace
