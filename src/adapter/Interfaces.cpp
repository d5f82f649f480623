#include "adapter/Interfaces.h"

#include <cstring>

#include "adapter/RegistryLayout.h"
#include "common/BoundedText.h"

namespace layout = registry_layout;

namespace {

bool IsInterface(Registry& registry, const RegistryKey& subkey) {
    return registry.ValueExists(subkey, layout::kMaxMulticast) ||
           registry.ValueExists(subkey, layout::kBusType);
}

}  // namespace

void EnumerateInterfaces(Registry& registry, const PlatformProfile& profile, AdapterList& adapters,
                         const std::function<void(const char* description)>& addDescription) {
    RegistryKey classKey = registry.CreateKey(profile.adapterClassBasePath.c_str());
    const std::uint32_t count = registry.CountSubkeys(classKey);
    for (std::uint32_t index = 0; index < count; ++index) {
        char name[layout::kSubkeyNameLimit + 1] = {};
        if (!registry.EnumerateSubkey(classKey, index, name, layout::kSubkeyNameLimit)) continue;
        // A longer name does not fit classSubkey, and a cut one would name
        // another adapter's key.
        if (std::strlen(name) >= sizeof(AdapterEntry::classSubkey)) continue;

        RegistryKey subkey = registry.OpenSubkeyForReading(classKey, name);
        if (!subkey.IsOpen() || !IsInterface(registry, subkey)) continue;

        AdapterEntry entry{};
        CopyText(entry.classSubkey, name);
        if (IsNtFamily(profile)) {
            CopyText(entry.interfaceKey, ReadTextValue(registry, subkey, layout::kNetCfgInstanceId,
                                                       layout::kAdapterTextBytes)
                                             .c_str());
        } else {
            CopyText(entry.interfaceKey, name);
        }
        CopyText(entry.description,
                 ReadTextValue(registry, subkey, layout::kDriverDesc, layout::kAdapterTextBytes)
                     .c_str());
        adapters.push_back(entry);
        if (addDescription) addDescription(entry.description);
    }
}

namespace {

char LowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
}

bool EqualWithCaseAside(const char* left, const char* right) {
    for (; *left != '\0' && *right != '\0'; ++left, ++right) {
        if (LowerAscii(*left) != LowerAscii(*right)) return false;
    }
    return *left == *right;
}

}  // namespace

const AdapterEntry* FindInterfaceByName(const AdapterList& adapters, const char* name) {
    for (const AdapterEntry& entry : adapters) {
        if (std::strcmp(entry.description, name) == 0) return &entry;
    }
    // A guess between two interfaces could change the wrong one.
    const AdapterEntry* found = nullptr;
    for (const AdapterEntry& entry : adapters) {
        if (!EqualWithCaseAside(entry.description, name)) continue;
        if (found != nullptr) return nullptr;
        found = &entry;
    }
    return found;
}
