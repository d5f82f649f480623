// One named set of network settings, as typed, saved, read from an interface
// or applied to one. A plain record, copied whole; it checks nothing itself.
#pragma once

#include <cstddef>

constexpr std::size_t kTextFieldSize = 128;  // 127 characters and a terminator

// The MAC text that means "keep the adapter's own hardware address".
constexpr const char kDefaultMacAddress[] = "Default";

struct Configuration {
    char ipAddress[kTextFieldSize];
    char macAddress[kTextFieldSize];
    char gateway[kTextFieldSize];
    char dns1[kTextFieldSize];
    char dns2[kTextFieldSize];
    char name[kTextFieldSize];
    char mask[kTextFieldSize];
    unsigned char dhcpEnabled;  // any value but 0 means on
};
