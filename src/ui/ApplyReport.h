// The one message box that tells how an apply went, for the window's Apply
// button and the command line alike.
#pragma once

#include <windows.h>

#include "adapter/InterfaceSettings.h"
#include "adapter/PlatformProfile.h"

// "Complete" with the family's restart hint, or "Error" with the failure
// text (one more line when putting back failed too).
void ShowApplyResult(HWND owner, const PlatformProfile& profile, ApplyResult result);
