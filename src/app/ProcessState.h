// The process-wide state. It exists, empty, before WinMain runs and lives
// until the process ends. Operations take what they work on as parameters;
// only the windows reach for these.
#pragma once

#include "app/PlatformProfile.h"

extern PlatformProfile g_platformProfile;
