// The process-wide state. It exists, empty, before WinMain runs and lives
// until the process ends. Operations take what they work on as parameters;
// only the windows reach for these.
#pragma once

#include "adapter/Interfaces.h"
#include "adapter/Registry.h"
#include "app/PlatformProfile.h"
#include "config/Configuration.h"
#include "config/ConfigurationList.h"

extern PlatformProfile g_platformProfile;
extern AdapterList g_adapterList;       // filled once when the main window opens
extern AdapterEntry g_selectedAdapter;  // the interface last picked; all zero until then
extern ConfigurationList g_configurationList;
// What the main window reads an interface into, collects its fields into,
// applies and backs up.
extern Configuration g_workingConfiguration;

// The machine's registry, below HKEY_LOCAL_MACHINE.
Registry& SystemRegistry();
