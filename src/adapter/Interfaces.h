// The network interfaces that the adapter class key lists.
#pragma once

#include <functional>
#include <vector>

#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"

// One interface, copied by value. A cleared entry is all zero bytes.
struct AdapterEntry {
    char interfaceKey[256];  // its TCP/IP key below tcpipBasePath
    char classSubkey[6];     // its own subkey below adapterClassBasePath, such as "0000"
    // "DriverDesc", numbered when an earlier card has the same one (" #2"):
    // the name the card is shown and picked by, unique in the list.
    char description[256];
};

// In registry order, which is not the (sorted) order the user sees.
using AdapterList = std::vector<AdapterEntry>;

// Appends each qualifying interface to `adapters` (registry order), each
// with its shown name in `description`, and then reports every new name
// through `addDescription`. Registry failures only leave entries or fields
// out. Every key is opened for reading only, and none is created.
void EnumerateInterfaces(Registry& registry, const PlatformProfile& profile, AdapterList& adapters,
                         const std::function<void(const char* description)>& addDescription);

// The interface the user names by the line the window's list shows for it:
// the first entry with exactly that description; failing that, the one
// entry whose description matches with letter case aside (ASCII letters,
// the names read as text of the code page `codePage`). nullptr when none
// matches, or when several match only with case aside.
const AdapterEntry* FindInterfaceByName(const AdapterList& adapters, const char* name,
                                        unsigned codePage);
