// The main window's status bar (msctls_statusbar32, id 1035): what the picked
// interface uses now, in one line (LiveStateText), read on a pick, after
// each Apply, and every few seconds while the window is shown.
#pragma once

#include <windows.h>

#include "adapter/LiveState.h"

// Adds the bar below everything else and grows `dialog` by its height.
void AddStatusBar(HWND dialog);

// Shows the live state of the interface whose TCP/IP key name is
// `interfaceKey` ("" for none, which empties the bar) and keeps it shown.
void ShowLiveStateOf(HWND dialog, const char* interfaceKey);

// Reads the shown interface's live state again now.
void RefreshStatusBar(HWND dialog);
// Shows `live`, a reading of the shown interface's state just made.
void ShowLiveState(HWND dialog, const LiveState& live);
