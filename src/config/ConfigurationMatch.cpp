#include "config/ConfigurationMatch.h"

#include <cstring>
#include <utility>

#include "common/BoundedText.h"
#include "config/Validation.h"

namespace {

// A record's text, never read past its field.
struct FieldText {
    explicit FieldText(const char (&field)[kTextFieldSize]) { CopyText(text, field); }
    char text[kTextFieldSize];
};

bool SameAddress(const char (&saved)[kTextFieldSize], const char (&current)[kTextFieldSize]) {
    return SameAddressText(FieldText(saved).text, FieldText(current).text);
}

// The servers as Apply writes them: the ones set, in order.
struct Servers {
    explicit Servers(const Configuration& record) : first(record.dns1), second(record.dns2) {
        if (first.text[0] == '\0') std::swap(first, second);
    }
    FieldText first;
    FieldText second;
};

bool SameMac(const char (&saved)[kTextFieldSize], const char (&current)[kTextFieldSize]) {
    return SameMacText(FieldText(saved).text, FieldText(current).text);
}

}  // namespace

bool SameAddressText(const char* left, const char* right) {
    DottedQuad leftQuad;
    DottedQuad rightQuad;
    if (ParseDottedQuad(left, leftQuad) && ParseDottedQuad(right, rightQuad)) {
        for (int part = 0; part < 4; ++part) {
            if (leftQuad.parts[part] != rightQuad.parts[part]) return false;
        }
        return true;
    }
    return std::strcmp(left, right) == 0;
}

bool SameMacText(const char* left, const char* right) {
    // Normalised texts fit a field: longer ones are of no accepted form.
    char leftDigits[kTextFieldSize];
    char rightDigits[kTextFieldSize];
    if (NormalizeMacAddress(left, leftDigits) && NormalizeMacAddress(right, rightDigits)) {
        if (IsOwnMacAddress(leftDigits)) return IsOwnMacAddress(rightDigits);
        return std::strcmp(leftDigits, rightDigits) == 0;
    }
    return std::strcmp(left, right) == 0;
}

bool ConfigurationMatches(const Configuration& saved, const Configuration& current) {
    const bool dhcp = saved.dhcpEnabled != 0;
    if (dhcp != (current.dhcpEnabled != 0)) return false;
    const Servers savedServers(saved);
    const Servers currentServers(current);
    if (!SameAddressText(savedServers.first.text, currentServers.first.text) ||
        !SameAddressText(savedServers.second.text, currentServers.second.text) ||
        !SameMac(saved.macAddress, current.macAddress)) {
        return false;
    }
    // With DHCP on, the server hands out the address, mask and gateway.
    return dhcp ||
           (SameAddress(saved.ipAddress, current.ipAddress) &&
            SameAddress(saved.mask, current.mask) && SameAddress(saved.gateway, current.gateway));
}
