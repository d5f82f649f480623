// Reading an interface's current settings into a configuration, and
// applying a configuration to an interface.
#pragma once

#include "adapter/Interfaces.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "config/Configuration.h"

// Fills `result` from the interface's registry values, opening the keys for
// reading only (no rights needed, nothing created). Whatever cannot be read
// stays empty; macAddress is then "Default", and name is always "Back - "
// and the description.
void ReadInterfaceSettings(Registry& registry, const PlatformProfile& profile, AdapterEntry adapter,
                           Configuration& result);

// What an apply did. The window and the command line report it alike.
enum class ApplyResult {
    kApplied,        // every value written
    kRefused,        // the configuration failed the checks; nothing written
    kPutBack,        // a key or a write failed; every value written was put back
    kPartlyChanged,  // a write failed and putting back failed too
    kAccessDenied,   // a key refused writing for lack of rights; nothing written
};

// A text too long for its value, an address or mask Windows could not use,
// or a MAC of no accepted form is refused before anything is written. Every
// value about to change is read first; a key that cannot be opened for
// writing then stops the apply with nothing written (kAccessDenied when
// rights were missing). The first write that fails stops it too, and what
// was written before it is put back, last first. On the "NT" family, DHCP on
// also deletes "DisableDhcpOnConnect", put back like any value.
ApplyResult ApplyInterfaceSettings(Registry& registry, const PlatformProfile& profile,
                                   AdapterEntry adapter, Configuration configuration);

// Apply's checks alone, touching no registry: true when ApplyInterfaceSettings
// would not refuse `configuration`, so that whatever needs no rights can be
// settled before any are asked for.
bool PassesApplyChecks(const PlatformProfile& profile, const AdapterEntry& adapter,
                       const Configuration& configuration);

inline bool ApplyFailed(ApplyResult result) {
    return result != ApplyResult::kApplied;
}
