#include "MemoryRegistry.h"

#include <cctype>
#include <cstring>
#include <iterator>

namespace {

// Orders names as the registry enumerates them: by their lower-cased bytes.
struct NameOrder {
    bool operator()(const std::string& left, const std::string& right) const {
        const std::size_t common = left.size() < right.size() ? left.size() : right.size();
        for (std::size_t i = 0; i < common; ++i) {
            const int a = std::tolower(static_cast<unsigned char>(left[i]));
            const int b = std::tolower(static_cast<unsigned char>(right[i]));
            if (a != b) return a < b;
        }
        return left.size() < right.size();
    }
};

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == 2 /* REG_EXPAND_SZ */ || type == kRegMultiSz;
}

}  // namespace

struct MemoryRegistry::Node {
    bool refusesFullAccess = false;
    // Values that refuse changes once their count of allowed ones is spent.
    std::map<std::string, int, NameOrder> allowedChanges;
    std::map<std::string, std::unique_ptr<Node>, NameOrder> subkeys;
    std::map<std::string, RegistryValue, NameOrder> values;
};

MemoryRegistry::MemoryRegistry() : root_(std::make_unique<Node>()) {}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, const std::string& path, bool create) {
    // A leading backslash is a bad path name; any other empty part is skipped.
    if (!path.empty() && path[0] == '\\') return nullptr;
    Node* node = from;
    std::size_t start = 0;
    while (node != nullptr && start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) {
            const std::string part = path.substr(start, end - start);
            auto found = node->subkeys.find(part);
            if (found == node->subkeys.end()) {
                if (!create) return nullptr;
                found = node->subkeys.emplace(part, std::make_unique<Node>()).first;
            }
            node = found->second.get();
        }
        start = end + 1;
    }
    return node;
}

const MemoryRegistry::OpenKey* MemoryRegistry::Find(const RegistryKey& key) const {
    const auto found = openKeys_.find(reinterpret_cast<std::uintptr_t>(key.Handle()));
    return found == openKeys_.end() ? nullptr : &found->second;
}

RegistryKey MemoryRegistry::Open(Node* node, bool writable) {
    const std::uintptr_t handle = nextHandle_++;
    openKeys_[handle] = OpenKey{node, writable};
    if (openKeys_.size() > mostKeysOpen_) mostKeysOpen_ = openKeys_.size();
    return MakeKey(reinterpret_cast<void*>(handle));
}

RegistryValue* MemoryRegistry::FindValueIn(const RegistryKey& key, const char* name) const {
    const OpenKey* open = Find(key);
    if (open == nullptr) return nullptr;
    const auto found = open->node->values.find(name);
    return found == open->node->values.end() ? nullptr : &found->second;
}

RegistryKey MemoryRegistry::CreateKey(const char* path) {
    Node* node = Walk(root_.get(), path, true);
    if (node != nullptr && node->refusesFullAccess) return DeniedKey();
    return node == nullptr ? RegistryKey() : Open(node, true);
}

RegistryKey MemoryRegistry::OpenKeyForReading(const char* path) {
    Node* node = Walk(root_.get(), path, false);
    return node == nullptr ? RegistryKey() : Open(node, false);
}

RegistryKey MemoryRegistry::OpenSubkeyForReading(const RegistryKey& parent, const char* name) {
    const OpenKey* open = Find(parent);
    Node* node = open == nullptr ? nullptr : Walk(open->node, name, false);
    return node == nullptr ? RegistryKey() : Open(node, false);
}

std::uint32_t MemoryRegistry::CountSubkeys(const RegistryKey& key) {
    const OpenKey* open = Find(key);
    return open == nullptr ? 0 : static_cast<std::uint32_t>(open->node->subkeys.size());
}

bool MemoryRegistry::EnumerateSubkey(const RegistryKey& key, std::uint32_t index, char* name,
                                     std::uint32_t capacity) {
    const OpenKey* open = Find(key);
    if (open == nullptr || index >= open->node->subkeys.size()) return false;
    const std::string& found = std::next(open->node->subkeys.begin(), index)->first;
    if (found.size() + 1 > capacity) return false;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return true;
}

bool MemoryRegistry::ValueExists(const RegistryKey& key, const char* name) {
    return FindValueIn(key, name) != nullptr;
}

bool MemoryRegistry::QueryValue(const RegistryKey& key, const char* name, void* buffer,
                                std::uint32_t byteLimit, std::uint32_t* type,
                                std::uint32_t* length) {
    const RegistryValue* value = FindValueIn(key, name);
    if (value == nullptr) return false;
    const std::size_t size = value->data.size();
    if (buffer != nullptr) {
        if (size > byteLimit) return false;
        auto* bytes = static_cast<unsigned char*>(buffer);
        std::memcpy(bytes, value->data.data(), size);
        // Windows adds the terminator that a stored string lacks, room permitting.
        if (IsStringType(value->type) && size > 0 && size < byteLimit && bytes[size - 1] != 0) {
            bytes[size] = 0;
        }
    }
    if (type != nullptr) *type = value->type;
    if (length != nullptr) *length = static_cast<std::uint32_t>(size);
    return true;
}

ValueRead MemoryRegistry::ReadWholeValue(const RegistryKey& key, const char* name,
                                         RegistryValue& value) {
    if (Find(key) == nullptr) return ValueRead::kUnreadable;
    const RegistryValue* found = FindValueIn(key, name);
    if (found == nullptr) return ValueRead::kAbsent;
    value = *found;
    return ValueRead::kPresent;
}

bool MemoryRegistry::AllowChange(Node& node, const char* name) {
    const auto refused = node.allowedChanges.find(name);
    if (refused == node.allowedChanges.end()) return true;
    return refused->second-- > 0;
}

bool MemoryRegistry::SetValue(const RegistryKey& key, const char* name, std::uint32_t type,
                              const void* data, std::uint32_t length) {
    const OpenKey* open = Find(key);
    if (open == nullptr || !open->writable || !AllowChange(*open->node, name)) return false;
    RegistryValue& value = open->node->values[name];
    value.type = type;
    value.data.assign(static_cast<const char*>(data), length);
    return true;
}

bool MemoryRegistry::DeleteValue(const RegistryKey& key, const char* name) {
    const OpenKey* open = Find(key);
    if (open == nullptr || !open->writable) return false;
    if (open->node->values.count(name) == 0) return false;
    if (!AllowChange(*open->node, name)) return false;
    return open->node->values.erase(name) > 0;
}

void MemoryRegistry::CloseKey(void* handle) {
    openKeys_.erase(reinterpret_cast<std::uintptr_t>(handle));
}

void MemoryRegistry::RefuseFullAccess(const std::string& path) {
    if (Node* node = Walk(root_.get(), path, true)) node->refusesFullAccess = true;
}

void MemoryRegistry::RefuseValue(const std::string& path, const std::string& name,
                                 int allowedChanges) {
    if (Node* node = Walk(root_.get(), path, true)) node->allowedChanges[name] = allowedChanges;
}

void MemoryRegistry::SeedValue(const std::string& path, const std::string& name, std::uint32_t type,
                               const std::string& data) {
    if (Node* node = Walk(root_.get(), path, true)) node->values[name] = RegistryValue{type, data};
}

std::optional<RegistryValue> MemoryRegistry::FindValue(const std::string& path,
                                                       const std::string& name) const {
    const Node* node = Walk(root_.get(), path, false);
    if (node == nullptr) return std::nullopt;
    const auto found = node->values.find(name);
    if (found == node->values.end()) return std::nullopt;
    return found->second;
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
    return Walk(root_.get(), path, false) != nullptr;
}
