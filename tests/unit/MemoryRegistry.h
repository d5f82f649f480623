// An in-memory registry for the unit tests, so that the adapter logic is
// tested natively too; the program itself never uses it. It keeps the
// behaviour that logic relies on, as the Windows registry (and Wine's) shows
// it, and the contract suite runs on both to keep it so: key and value names
// match without regard to case, empty path parts (a trailing or doubled
// backslash) are skipped, subkeys enumerate in the order of their lower-cased
// names, a query that does not fit copies nothing, and a string value with
// room to spare gets a terminator.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "adapter/Registry.h"

class MemoryRegistry : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    RegistryKey CreateKey(const char* path) override;
    RegistryKey OpenKeyForReading(const char* path) override;
    RegistryKey OpenSubkeyForReading(const RegistryKey& parent, const char* name) override;
    std::uint32_t CountSubkeys(const RegistryKey& key) override;
    bool EnumerateSubkey(const RegistryKey& key, std::uint32_t index, char* name,
                         std::uint32_t capacity) override;
    bool ValueExists(const RegistryKey& key, const char* name) override;
    bool QueryValue(const RegistryKey& key, const char* name, void* buffer, std::uint32_t byteLimit,
                    std::uint32_t* type, std::uint32_t* length) override;
    ValueRead ReadWholeValue(const RegistryKey& key, const char* name,
                             RegistryValue& value) override;
    bool SetValue(const RegistryKey& key, const char* name, std::uint32_t type, const void* data,
                  std::uint32_t length) override;
    bool DeleteValue(const RegistryKey& key, const char* name) override;

    // Test helpers; they work on the tree directly and open no key.
    // Makes `path` (created if missing) refuse full access, as a key does to
    // a user without write rights: CreateKey says AccessDenied(), and it
    // still opens for reading.
    void RefuseFullAccess(const std::string& path);
    // Makes setting or deleting `name` in `path` fail once `allowedChanges`
    // more changes of it have gone through, as a value Windows will not
    // change (a driver holding it, a full registry).
    void RefuseValue(const std::string& path, const std::string& name, int allowedChanges = 0);
    void SeedValue(const std::string& path, const std::string& name, std::uint32_t type,
                   const std::string& data);
    std::optional<RegistryValue> FindValue(const std::string& path, const std::string& name) const;
    bool KeyExists(const std::string& path) const;
    std::size_t OpenKeyCount() const { return openKeys_.size(); }
    std::size_t MostKeysOpenAtOnce() const { return mostKeysOpen_; }

protected:
    void CloseKey(void* handle) override;

private:
    struct Node;
    struct OpenKey {
        Node* node;
        bool writable;
    };

    static Node* Walk(Node* from, const std::string& path, bool create);
    const OpenKey* Find(const RegistryKey& key) const;
    RegistryKey Open(Node* node, bool writable);
    RegistryValue* FindValueIn(const RegistryKey& key, const char* name) const;
    // False when the value refuses the change; counts it otherwise.
    static bool AllowChange(Node& node, const char* name);

    std::unique_ptr<Node> root_;  // HKEY_LOCAL_MACHINE
    std::map<std::uintptr_t, OpenKey> openKeys_;
    std::uintptr_t nextHandle_ = 1;
    std::size_t mostKeysOpen_ = 0;
};
