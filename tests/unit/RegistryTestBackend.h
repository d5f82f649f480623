// The registry a test runs against: the in-memory stand-in (everywhere) or
// the real Windows registry (in the Windows build, under Wine). Suites are
// written once against this and instantiated for each backend, so the
// stand-in is held to what the real registry does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "MemoryRegistry.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"

// Only tests store values of this type, to show that its bytes are taken as they are.
constexpr std::uint32_t kRegBinary = 3;

class RegistryTestBackend {
public:
    virtual ~RegistryTestBackend() = default;

    // The registry under test.
    virtual Registry& registry() = 0;
    // A key below HKEY_LOCAL_MACHINE that belongs to this test alone, empty
    // at the start; ends in a backslash.
    virtual std::string ScratchPath() const = 0;
    // A profile of `family` whose base paths this test may fill.
    virtual PlatformProfile Profile(const char* family) const = 0;

    // Seeding and inspecting go around the registry under test, so that it
    // is checked against something other than itself. Seeds store exactly
    // the given bytes.
    virtual void Seed(const std::string& path, const char* name, std::uint32_t type,
                      const std::string& data) = 0;
    virtual std::optional<RegistryValue> Inspect(const std::string& path, const char* name) = 0;
    virtual bool KeyExists(const std::string& path) = 0;
    // Makes the key (created if missing) refuse full access, as it does to
    // a user without write rights. False when the backend cannot.
    virtual bool RefuseFullAccess(const std::string& path) = 0;
    // Makes the value refuse to be set or deleted once `allowedChanges`
    // changes have gone through. False when the backend cannot.
    virtual bool RefuseValue(const std::string& path, const char* name, int allowedChanges) = 0;
};

struct RegistryBackendParam {
    const char* name;
    std::function<std::unique_ptr<RegistryTestBackend>()> make;
};

inline std::ostream& operator<<(std::ostream& out, const RegistryBackendParam& param) {
    return out << param.name;
}

class RegistryBackendTest : public testing::TestWithParam<RegistryBackendParam> {
protected:
    void SetUp() override { backend_ = GetParam().make(); }
    void TearDown() override { backend_.reset(); }

    RegistryTestBackend& backend() { return *backend_; }
    Registry& registry() { return backend_->registry(); }

private:
    std::unique_ptr<RegistryTestBackend> backend_;
};

class RegistryContractTest : public RegistryBackendTest {};
class EnumerateInterfacesTest : public RegistryBackendTest {};
class ReadInterfaceSettingsTest : public RegistryBackendTest {};
class ApplyInterfaceSettingsTest : public RegistryBackendTest {};

#define NICSET_INSTANTIATE_REGISTRY_SUITES(prefix, param)                                \
    INSTANTIATE_TEST_SUITE_P(prefix, RegistryContractTest, testing::Values(param));      \
    INSTANTIATE_TEST_SUITE_P(prefix, EnumerateInterfacesTest, testing::Values(param));   \
    INSTANTIATE_TEST_SUITE_P(prefix, ReadInterfaceSettingsTest, testing::Values(param)); \
    INSTANTIATE_TEST_SUITE_P(prefix, ApplyInterfaceSettingsTest, testing::Values(param))

// The bytes of a literal, embedded zeros included, without its terminator.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

inline std::string Padded(std::string text, std::size_t length) {
    text.resize(length, '\0');
    return text;
}

inline bool operator==(const RegistryValue& left, const RegistryValue& right) {
    return left.type == right.type && left.data == right.data;
}

inline std::ostream& operator<<(std::ostream& out, const RegistryValue& value) {
    out << "type " << value.type << ", " << value.data.size() << " bytes:";
    for (unsigned char byte : value.data)
        out << ' ' << static_cast<int>(byte);
    return out;
}
