// The in-memory stand-in: the shared suites run against it, plus what only
// it can show (which keys are open when).
#include "RegistryTestBackend.h"

#include <memory>
#include <string>

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

}  // namespace
