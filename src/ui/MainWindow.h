// The main window, dialog 101: the picked interface's or configuration's
// settings on the left, the saved configurations on the right, the
// interface combo box and the buttons below.
#pragma once

#include <windows.h>

#include "adapter/PlatformProfile.h"

// Runs the main window modally over the desktop, for the family `profile`
// names, until it is closed (which saves the configurations). Started
// `hidden`, only its notification-area icon shows until the user asks for
// the window, and it picks the interface picked last.
void RunMainWindow(const PlatformProfile& profile, bool hidden);

// The main window of a Nicset already running, known by the mark Nicset
// sets on it; null when there is none (another program's window of the
// same title included).
HWND FindNicsetMainWindow();
// Asks that window to show itself and come to the front.
void AskToShowMainWindow(HWND window);
