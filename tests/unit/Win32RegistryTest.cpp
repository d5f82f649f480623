// The shared suites against the real registry (under Wine). Each test owns
// SOFTWARE\NicsetTest, made empty before and deleted after; the "98"
// resolver key has a fixed path, so it is put back as it was found.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "RegistryTestBackend.h"
#include "adapter/RegistryLayout.h"
#include "adapter/Win32Registry.h"

namespace {

constexpr char kScratch[] = "SOFTWARE\\NicsetTest\\";
constexpr char kVxdKey[] = "System\\CurrentControlSet\\Services\\VxD";

std::string WithoutTrailingBackslashes(std::string path) {
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

class RawKey {
public:
    RawKey(const std::string& path, REGSAM access, bool create) {
        const LONG status = create
                                ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                                  access, nullptr, &key_, nullptr)
                                : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RawKey() {
        if (key_) RegCloseKey(key_);
    }
    RawKey(const RawKey&) = delete;
    RawKey& operator=(const RawKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// A refused key still lets itself be listed and deleted.
void DeleteTree(const std::string& path) {
    const std::string key = WithoutTrailingBackslashes(path);
    std::vector<std::string> children;
    {
        RawKey parent(key, KEY_READ, false);
        if (!parent.get()) return;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(parent.get(), index, name, &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            children.push_back(name);
        }
    }
    for (const std::string& child : children)
        DeleteTree(key + "\\" + child);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

std::optional<RegistryValue> ReadRaw(const std::string& path, const char* name) {
    RawKey key(path, KEY_READ, false);
    DWORD type = 0;
    DWORD size = 0;
    if (!key.get() || RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != 0) {
        return std::nullopt;
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(size);
    return RegistryValue{type, data};
}

bool WriteRaw(const std::string& path, const char* name, const RegistryValue& value) {
    RawKey key(path, KEY_ALL_ACCESS, true);
    // RegSetValueExA counts in a terminator that directly follows a string's
    // bytes; a non-zero byte there keeps the value exactly as given.
    const std::string data = value.data + '\x01';
    return key.get() && RegSetValueExA(key.get(), name, 0, value.type,
                                       reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

// Denies everyone the right to set values and make subkeys, as a user
// without administrator rights meets HKEY_LOCAL_MACHINE.
bool DenyWriting(const std::string& path) {
    // Not with full access: the key may be refused already.
    RawKey key(path, KEY_READ | WRITE_DAC, true);
    if (!key.get()) return false;
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        return false;
    }
    alignas(DWORD) unsigned char aclBytes[256];
    auto* acl = reinterpret_cast<PACL>(aclBytes);
    SECURITY_DESCRIPTOR descriptor;
    const bool built =
        InitializeAcl(acl, sizeof aclBytes, ACL_REVISION) &&
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone) &&
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    const bool set =
        built && RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) == 0;
    FreeSid(everyone);
    // Wine honours the ACE: a full-access open of the key now fails.
    RawKey check(path, KEY_ALL_ACCESS, false);
    return set && !check.get();
}

// The resolver key as a test found it: whether it (and its parent) existed,
// its access rights and its "NameServer".
class ResolverKeySnapshot {
public:
    ResolverKeySnapshot()
        : vxdExisted_(RawKey(kVxdKey, KEY_READ, false).get() != nullptr),
          nameServer_(ReadRaw(registry_layout::kResolverKey98, registry_layout::kNameServer)) {
        RawKey key(registry_layout::kResolverKey98, KEY_READ, false);
        if (!key.get()) return;
        DWORD size = 0;
        RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        security_.resize(size);
        if (size == 0 || RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, security_.data(),
                                           &size) != ERROR_SUCCESS) {
            security_.clear();
        }
        existed_ = true;
    }

    void Restore() const {
        if (!existed_) {
            DeleteTree(vxdExisted_ ? registry_layout::kResolverKey98 : kVxdKey);
            return;
        }
        if (!security_.empty()) {
            RawKey key(registry_layout::kResolverKey98, READ_CONTROL | WRITE_DAC, false);
            if (key.get()) {
                RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION,
                                  const_cast<unsigned char*>(security_.data()));
            }
        }
        if (nameServer_) {
            WriteRaw(registry_layout::kResolverKey98, registry_layout::kNameServer, *nameServer_);
        } else {
            RawKey key(registry_layout::kResolverKey98, KEY_SET_VALUE, false);
            if (key.get()) RegDeleteValueA(key.get(), registry_layout::kNameServer);
        }
    }

private:
    bool existed_ = false;
    bool vxdExisted_;
    std::optional<RegistryValue> nameServer_;
    std::vector<unsigned char> security_;
};

class Win32Backend : public RegistryTestBackend {
public:
    Win32Backend() { DeleteTree(kScratch); }
    ~Win32Backend() override {
        DeleteTree(kScratch);
        resolver_.Restore();
    }

    Registry& registry() override { return registry_; }
    std::string ScratchPath() const override { return kScratch; }
    PlatformProfile Profile(const char* family) const override {
        const std::string base = std::string(kScratch) + family;
        return PlatformProfile{family, base + "\\Tcpip\\", base + "\\Class\\"};
    }
    void Seed(const std::string& path, const char* name, std::uint32_t type,
              const std::string& data) override {
        ASSERT_TRUE(WriteRaw(path, name, RegistryValue{type, data})) << path << " " << name;
    }
    std::optional<RegistryValue> Inspect(const std::string& path, const char* name) override {
        return ReadRaw(path, name);
    }
    bool KeyExists(const std::string& path) override {
        return RawKey(path, KEY_READ, false).get() != nullptr;
    }
    bool RefuseFullAccess(const std::string& path) override { return DenyWriting(path); }
    // Windows refuses whole keys, not single values.
    bool RefuseValue(const std::string&, const char*, int) override { return false; }

private:
    ResolverKeySnapshot resolver_;
    Win32Registry registry_;
};

const RegistryBackendParam kWin32{"Win32", [] { return std::make_unique<Win32Backend>(); }};

}  // namespace

NICSET_INSTANTIATE_REGISTRY_SUITES(Win32, kWin32);
