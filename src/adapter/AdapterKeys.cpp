#include "adapter/AdapterKeys.h"

#include "adapter/FieldText.h"
#include "adapter/RegistryLayout.h"

#include <string>

namespace {

RegistryKey OpenBelow(Registry& registry, const std::string& basePath, const std::string& name) {
    // The registry skips empty path parts, so a name of nothing but
    // backslashes would open the base key and spill settings into it.
    if (name.find_first_not_of('\\') == std::string::npos) return RegistryKey();
    return registry.CreateKey((basePath + name + "\\").c_str());
}

}  // namespace

RegistryKey OpenInterfaceKey(Registry& registry, const PlatformProfile& profile,
                             const AdapterEntry& adapter) {
    return OpenBelow(registry, profile.tcpipBasePath, FieldText(adapter.interfaceKey));
}

RegistryKey OpenAdapterClassKey(Registry& registry, const PlatformProfile& profile,
                                const AdapterEntry& adapter) {
    return OpenBelow(registry, profile.adapterClassBasePath, FieldText(adapter.classSubkey));
}

RegistryKey OpenResolverKey(Registry& registry) {
    return registry.CreateKey(registry_layout::kResolverKey98);
}
