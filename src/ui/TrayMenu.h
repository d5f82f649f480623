// What the notification-area icon says: its tip, and the lines of the menu
// its right button opens. Platform-free; the window turns the lines into a
// menu and the tip into the icon's.
//
// `rows` are the saved configurations in the order the window's list shows
// them, each the record its row stands for (none null). `interfaceName` is
// the picked interface's shown name, "" or null when none is picked, and
// `current` its values as the registry holds them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "config/LiveMatch.h"

// Item n of the menu (from 0) is row n of the list, with the command id
// kTrayConfigurationCommand + n. A command id has 16 bits, and 0xFFFF is the
// id of controls that have none, so rows reach up to kTrayLastConfigurationCommand.
constexpr unsigned kTrayConfigurationCommand = 40000;
constexpr unsigned kTrayLastConfigurationCommand = 0xFFFE;
constexpr std::size_t kTrayMostConfigurations = 30;
// The menu's other items: below the rows, above the dialogs' control ids.
constexpr unsigned kTrayMoreCommand = 39001;  // "More...": opens the window
constexpr unsigned kTrayOpenCommand = 39002;  // "Open Nicset"
constexpr unsigned kTrayExitCommand = 39003;  // "Exit"

// The first version of the icon's data holds a tip of 63 bytes and a zero.
constexpr std::size_t kTrayTipBytes = 63;

// "Nicset: " and the name of the first row whose values match the
// interface's, else "DHCP" when DHCP is on, else the IP address, else "no
// address"; "Nicset" when no interface is picked. Cut to kTrayTipBytes
// without splitting a character of the ANSI code page `codePage`. The name
// gets ", in use" when the interface's `live` state (when given) matches
// that configuration by the live rule too; the name is cut to keep it.
std::string TrayTip(const std::vector<const Configuration*>& rows, const char* interfaceName,
                    const Configuration& current, unsigned codePage,
                    const LiveState* live = nullptr);

struct TrayMenuLine {
    std::string text;    // as the menu takes it: "&&" shows "&"; "" for the separator
    unsigned commandId;  // 0 for the heading and the separator
    bool separator;
    bool greyed;
    bool checked;
};

// In order: the interface's shown name as a greyed heading ("Pick an
// interface first" and no configurations when none is picked); the first
// kTrayMostConfigurations rows, each checked when its values match, all
// greyed while Nicset is `busy` (a dialog, a message box, a restart or an
// elevation wait); "More..." when there are more rows; a separator; "Open
// Nicset"; "Exit".
std::vector<TrayMenuLine> TrayMenuLines(const std::vector<const Configuration*>& rows,
                                        const char* interfaceName, const Configuration& current,
                                        bool busy);

// Whether `commandId` chooses a configuration, and then its `row` in the
// list's order as it stands (which the window checks against the list's
// length), whether or not the menu was ever opened.
bool TrayConfigurationRow(unsigned commandId, std::size_t& row);
