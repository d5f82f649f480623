// Opens the keys that hold one interface's settings, each with open-or-create
// and full access, so that reading creates whatever is missing.
#pragma once

#include "adapter/Interfaces.h"
#include "adapter/Registry.h"
#include "app/PlatformProfile.h"

// tcpipBasePath + interfaceKey + "\". Not open when interfaceKey is empty:
// the path would name the base key itself, which holds no interface.
RegistryKey OpenInterfaceKey(Registry& registry, const PlatformProfile& profile,
                             const AdapterEntry& adapter);
// adapterClassBasePath + classSubkey + "\". Not open when classSubkey is empty.
RegistryKey OpenAdapterClassKey(Registry& registry, const PlatformProfile& profile,
                                const AdapterEntry& adapter);
// The "98" family's resolver key, one for all interfaces.
RegistryKey OpenResolverKey(Registry& registry);
