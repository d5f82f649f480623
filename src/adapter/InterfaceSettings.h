// Reading an interface's current settings into a configuration, and
// applying a configuration to an interface.
#pragma once

#include "adapter/Interfaces.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "config/Configuration.h"

// Fills `result` from the interface's registry values. Whatever cannot be
// read stays empty; macAddress is then "Default", and name is always
// "Back - " and the description.
void ReadInterfaceSettings(Registry& registry, const PlatformProfile& profile, AdapterEntry adapter,
                           Configuration& result);

// Returns `failed`, the one result where true means trouble: true when at
// least one write failed. A text too long for its value, or an address or
// mask Windows could not use, is refused before anything is written (and
// counts as failed too).
bool ApplyInterfaceSettings(Registry& registry, const PlatformProfile& profile,
                            AdapterEntry adapter, Configuration configuration);
