// The main window, dialog 101: the picked interface's or configuration's
// settings on the left, the saved configurations on the right, the
// interface combo box and the buttons below.
#pragma once

#include "adapter/PlatformProfile.h"

// Runs the main window modally over the desktop, for the family `profile`
// names, until it is closed (which saves the configurations).
void RunMainWindow(const PlatformProfile& profile);
