#include "app/ProcessState.h"

PlatformProfile g_platformProfile;
