#include "adapter/ResolverList.h"

ResolverPair SplitResolverList(const std::string& list) {
    const std::size_t start = list.find_first_not_of(',');
    if (start == std::string::npos) return {};
    const std::size_t end = list.find(',', start);
    if (end == std::string::npos) return {list.substr(start), {}};
    return {list.substr(start, end - start), list.substr(end + 1)};
}

std::string JoinResolverList(const std::string& dns1, const std::string& dns2) {
    if (!dns1.empty() && !dns2.empty()) return dns1 + "," + dns2;
    return dns1 + dns2;
}
