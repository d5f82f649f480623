#include "app/ProcessState.h"

#include "adapter/Win32Registry.h"

PlatformProfile g_platformProfile;
AdapterList g_adapterList;
AdapterEntry g_selectedAdapter{};
ConfigurationList g_configurationList;
Configuration g_workingConfiguration{};

Registry& SystemRegistry() {
    static Win32Registry registry;
    return registry;
}
