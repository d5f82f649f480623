// The Add Configuration dialog, template 102: the user types a new named
// configuration; it is checked and then added to the configuration list.
#pragma once

#include <windows.h>

#include "config/ConfigurationList.h"

// Runs the dialog modally over `owner`; a configuration that passes the
// checks is added to `list`. It ends after a configuration was stored, on
// Cancel and on the close box; nothing else ends it. True when a
// configuration was stored.
bool AddConfigurationDialog(HWND owner, ConfigurationList& list);
