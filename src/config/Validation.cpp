#include "config/Validation.h"

#include "common/BoundedText.h"

namespace {

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

}  // namespace

bool ValidateConfigurationForm(ConfigurationForm& form, Configuration& record,
                               const char*& message) {
    record = Configuration{};
    message = "";

    if (form.IsDhcpChecked()) {
        record.dhcpEnabled = 1;
        ReadField(form, FormField::MacAddress, record.macAddress);
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
    ReadField(form, FormField::MacAddress, record.macAddress);
    ReadField(form, FormField::Name, record.name);
    return !IsEmpty(record.ipAddress) && !IsEmpty(record.mask) && !IsEmpty(record.macAddress) &&
           !IsEmpty(record.name);
}
