// Whether a saved configuration holds the values an interface has now: the
// notification-area tip names it, and the menu checks it.
#pragma once

#include "config/Configuration.h"

// True when `saved` equals `current` (an interface's values as read from its
// registry values) in DHCP, both DNS servers and the MAC, and with DHCP off
// in the address, mask and gateway too. Names do not count.
// - An address of four parts compares as four numbers, so 010.1.1.1 equals
//   10.1.1.1; any other text, the empty one included, only equals itself.
// - The DNS servers compare as Apply writes them, the ones set in order: a
//   second server alone reads back as the first.
// - A MAC of an accepted form compares as its 12 digits. "Default" and ""
//   both keep the card's own address (Apply deletes the value, which reads
//   back as "Default"), so they equal each other and no digits. A MAC of no
//   accepted form only equals the same text.
bool ConfigurationMatches(const Configuration& saved, const Configuration& current);

// The field comparisons both rules share (the live one is in LiveMatch.h):
// an address of four parts as four numbers, any other text only as itself;
// a MAC of an accepted form as its 12 digits, "Default" and "" as the card's
// own address, any other text only as itself.
bool SameAddressText(const char* left, const char* right);
bool SameMacText(const char* left, const char* right);
