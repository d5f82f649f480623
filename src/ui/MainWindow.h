// The main window, dialog 101: the picked interface's or configuration's
// settings on the left, the saved configurations on the right, the
// interface combo box and the buttons below.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "config/Configuration.h"

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The display-only fields.
void ShowConfiguration(HWND dialog, const Configuration& configuration);
// Reads the fields into `configuration`; its name stays as it was.
void CollectConfiguration(HWND dialog, Configuration& configuration);

// Refills the list view from the configuration list (it sorts the rows).
void RefillConfigurationView(HWND dialog);

// Removes the configuration of the selected row after asking.
void DeleteSelectedConfiguration(HWND dialog);

// The first `count` characters of `text`, or all of it when shorter.
std::string LeadingText(const char* text, std::size_t count);
