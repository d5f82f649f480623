// The Add Configuration dialog, template 102: the user types a new named
// configuration; it is checked and then added to the configuration list.
#pragma once

#include <windows.h>

// Runs the dialog modally over `owner`. It ends after a configuration was
// stored, on Cancel and on the close box; nothing else ends it.
void AddConfigurationDialog(HWND owner);

INT_PTR CALLBACK AddConfigurationDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
