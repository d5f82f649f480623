#include "app/ProcessState.h"

PlatformProfile g_platformProfile;
AdapterList g_adapterList;
AdapterEntry g_selectedAdapter;
