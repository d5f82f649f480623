// The comma-separated DNS server list of "NameServer", taken apart into the
// two servers of a configuration and put together from them.
#pragma once

#include <string>

struct ResolverPair {
    std::string dns1;
    std::string dns2;
};

// dns1 is the first run without a comma, after any leading commas; dns2 is
// everything after the comma that ends it, further commas included.
ResolverPair SplitResolverList(const std::string& list);

// "dns1,dns2" when both are set, otherwise whichever is set (or nothing).
std::string JoinResolverList(const std::string& dns1, const std::string& dns2);
