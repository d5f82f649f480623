#include "config/Validation.h"

#include <cstring>

#include "common/AsciiCase.h"
#include "common/BoundedText.h"

namespace {

constexpr std::size_t kMacDigits = 12;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The 12 digits of "00A0C9112233", "00-a0-c9-11-22-33" or "00:A0:C9:11:22:33";
// false for any other form, mixed separators included.
bool MacDigits(const char* text, char (&digits)[kMacDigits + 1]) {
    const std::size_t length = std::strlen(text);
    const bool separated = length == kMacDigits + 5;
    if (length != kMacDigits && !separated) return false;
    const char separator = separated ? text[2] : '\0';
    if (separated && separator != '-' && separator != ':') return false;
    std::size_t count = 0;
    for (std::size_t index = 0; index < length; ++index) {
        if (separated && index % 3 == 2) {
            if (text[index] != separator) return false;
            continue;
        }
        const int value = HexValue(text[index]);
        if (value < 0) return false;
        digits[count++] = "0123456789ABCDEF"[value];
    }
    digits[count] = '\0';
    return true;
}

// Reads a field into the record; the copy is bounded whatever the form gives,
// and a pasted line break becomes a blank.
void ReadField(ConfigurationForm& form, FormField field, char (&destination)[kTextFieldSize]) {
    char text[kTextFieldSize] = {};
    form.ReadFieldText(field, text);
    text[kTextFieldSize - 1] = '\0';
    CopyLineText(destination, text);
}

bool IsEmpty(const char* text) {
    return text[0] == '\0';
}

bool IsEmptyOrValidAddress(const char* text) {
    return IsEmpty(text) || IsValidAddress(text);
}

// The MAC is read and checked in one step; the record keeps its normalised form.
bool ReadMacField(ConfigurationForm& form, Configuration& record, const char*& message) {
    ReadField(form, FormField::MacAddress, record.macAddress);
    if (NormalizeMacAddress(record.macAddress, record.macAddress)) return true;
    message = kVerifyMacMessage;
    return false;
}

}  // namespace

bool NormalizeMacAddress(const char* text, char (&normalized)[kTextFieldSize]) {
    if (text[0] == '\0' || EqualIgnoringAsciiCase(text, kDefaultMacAddress)) {
        CopyText(normalized, text[0] == '\0' ? "" : kDefaultMacAddress);
        return true;
    }
    char digits[kMacDigits + 1];
    if (!MacDigits(text, digits)) return false;
    // A card takes neither the empty nor the broadcast address, nor one of a
    // group: the lowest bit of the first byte is in its second digit.
    if (std::strcmp(digits, "000000000000") == 0 || std::strcmp(digits, "FFFFFFFFFFFF") == 0 ||
        (HexValue(digits[1]) & 1) != 0) {
        return false;
    }
    CopyText(normalized, digits);
    return true;
}

bool IsOwnMacAddress(const char* normalized) {
    return normalized[0] == '\0' || std::strcmp(normalized, kDefaultMacAddress) == 0;
}

bool ValidateConfigurationForm(ConfigurationForm& form, Configuration& record,
                               const char*& message) {
    record = Configuration{};
    message = "";

    if (form.IsDhcpChecked()) {
        record.dhcpEnabled = 1;
        if (!ReadMacField(form, record, message)) return false;
        ReadField(form, FormField::Name, record.name);
        return !IsEmpty(record.name) || !IsEmpty(record.macAddress);
    }

    ReadField(form, FormField::IpAddress, record.ipAddress);
    if (!IsValidAddress(record.ipAddress)) {
        message = kVerifyIpMessage;
        return false;
    }
    ReadField(form, FormField::Mask, record.mask);
    if (!MaskMatchesAddress(record.ipAddress, record.mask)) {
        message = kMaskMismatchMessage;
        return false;
    }
    struct OptionalAddress {
        FormField field;
        char (Configuration::*text)[kTextFieldSize];
        const char* message;
    };
    const OptionalAddress optionalAddresses[] = {
        {FormField::Gateway, &Configuration::gateway, kVerifyGatewayMessage},
        {FormField::Dns1, &Configuration::dns1, kVerifyDns1Message},
        {FormField::Dns2, &Configuration::dns2, kVerifyDns2Message},
    };
    for (const OptionalAddress& address : optionalAddresses) {
        ReadField(form, address.field, record.*address.text);
        if (!IsEmptyOrValidAddress(record.*address.text)) {
            message = address.message;
            return false;
        }
    }
    if (!ReadMacField(form, record, message)) return false;
    ReadField(form, FormField::Name, record.name);
    return !IsEmpty(record.ipAddress) && !IsEmpty(record.mask) && !IsEmpty(record.macAddress) &&
           !IsEmpty(record.name);
}
