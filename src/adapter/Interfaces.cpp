#include "adapter/Interfaces.h"

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "adapter/RegistryLayout.h"
#include "common/AsciiCase.h"
#include "common/BoundedText.h"

namespace layout = registry_layout;

namespace {

bool IsInterface(Registry& registry, const RegistryKey& subkey) {
    return registry.ValueExists(subkey, layout::kMaxMulticast) ||
           registry.ValueExists(subkey, layout::kBusType);
}

constexpr std::size_t kLongestDescription = sizeof(AdapterEntry::description) - 1;

// Cards of the same model share their "DriverDesc". As Windows names such
// devices, every later one is told apart by " #2", " #3"... in registry
// order, skipping a name that another card's own description takes, and
// with its description cut so that the number fits.
void NameIdenticalCards(AdapterList::iterator first, AdapterList::iterator last) {
    std::set<std::string> taken;
    for (auto entry = first; entry != last; ++entry)
        taken.insert(entry->description);
    std::map<std::string, unsigned> nextNumber;  // by description, once it was seen
    for (auto entry = first; entry != last; ++entry) {
        const std::string own = entry->description;
        const auto seen = nextNumber.emplace(own, 2u);
        if (seen.second) continue;  // the first card with this description
        for (unsigned& number = seen.first->second;; ++number) {
            const std::string suffix = " #" + std::to_string(number);
            const std::string name = own.substr(0, kLongestDescription - suffix.size()) + suffix;
            if (taken.insert(name).second) {
                CopyText(entry->description, name.c_str());
                break;
            }
        }
    }
}

}  // namespace

void EnumerateInterfaces(Registry& registry, const PlatformProfile& profile, AdapterList& adapters,
                         const std::function<void(const char* description)>& addDescription) {
    const std::size_t firstNew = adapters.size();
    // Listing needs no rights to write, which a standard user lacks there.
    RegistryKey classKey = registry.OpenKeyForReading(profile.adapterClassBasePath.c_str());
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
    }
    // Each line names one card, by which it is found again.
    NameIdenticalCards(adapters.begin() + static_cast<std::ptrdiff_t>(firstNew), adapters.end());
    if (!addDescription) return;
    for (std::size_t index = firstNew; index < adapters.size(); ++index)
        addDescription(adapters[index].description);
}

const AdapterEntry* FindInterfaceByName(const AdapterList& adapters, const char* name,
                                        unsigned codePage) {
    for (const AdapterEntry& entry : adapters) {
        if (std::strcmp(entry.description, name) == 0) return &entry;
    }
    // A guess between two interfaces could change the wrong one.
    const AdapterEntry* found = nullptr;
    for (const AdapterEntry& entry : adapters) {
        if (!EqualIgnoringAsciiCase(entry.description, name, codePage)) continue;
        if (found != nullptr) return nullptr;
        found = &entry;
    }
    return found;
}
