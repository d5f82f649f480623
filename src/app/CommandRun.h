// The command line's run on Windows: the log opened first, the command, then
// its ending written to the log, to the caller's output or console, and in a
// message box where someone may be there to see it.
#pragma once

#include <string>

#include "adapter/Interfaces.h"
#include "adapter/PlatformProfile.h"
#include "app/CommandLine.h"

// Carries out `request` (any action but the window's) and gives the process's
// exit code. The copies of Nicset write nothing and show nothing.
int RunCommandLine(const CommandRequest& request, const PlatformProfile& profile);

// /list's last column: the interface's live state as the main window's
// status bar words it, "" where it cannot be read.
std::string ListedLiveState(const AdapterEntry& adapter, const PlatformProfile& profile);
