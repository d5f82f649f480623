// After an Apply that restarted the interface: whether Windows uses what was
// applied. It runs in the process that shows the ending (the window, or the
// command line), whichever route wrote the values; reading needs no rights.
#pragma once

#include "adapter/Interfaces.h"
#include "config/Configuration.h"
#include "ui/ApplyFlow.h"
#include "ui/ApplyReport.h"

// Only after a restart that went through: without one, Windows has read
// nothing anew, and the box is as it was.
bool AwaitsLiveCheck(const ApplyReport& report);

// Adds the check to `report` when it awaits one.
void CheckLiveUse(ApplyPlatform& platform, const AdapterEntry& adapter,
                  const Configuration& configuration, ApplyReport& report);
