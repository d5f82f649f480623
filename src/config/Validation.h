// The checks a typed configuration must pass before it is added: the
// program's own reading of dotted addresses, the host address check, the
// classful mask check and the form validator with its five messages.
#pragma once

#include <cstdint>

#include "config/Configuration.h"

// The four parts of a dotted address, part 1 first.
struct DottedQuad {
    std::int32_t parts[4];
};

// Splits `text` at its dots into four parts. Succeeds only for exactly four
// parts of 1 to 3 decimal digits, each at most 255; leading zeros are
// allowed ("010" is 10). `quad` is left alone on failure.
bool ParseDottedQuad(const char* text, DottedQuad& quad);

// Four well-formed parts, whatever their values mean (ParseDottedQuad).
bool IsDottedQuad(const char* text);

// Four well-formed parts that, read as 32 bits, are a run of ones followed
// by zeros only (0.0.0.0 and 255.255.255.255 included).
bool IsContiguousMask(const char* text);

// A host address: four well-formed parts, part 1 in class A, B or C (1-126,
// 128-191, 192-223), part 4 from 1 to 254.
bool IsValidAddress(const char* text);

// True when `mask` is contiguous and has 255 in every part that the class
// of `address` fixes (one for A, two for B, three for C).
bool MaskMatchesAddress(const char* address, const char* mask);

// A hardware address in the one form that is stored and written. "Default"
// in any letter case becomes "Default" and "" stays "": both mean the card's
// own address. Otherwise 12 hexadecimal digits, plain or as six pairs all
// separated by "-" or all by ":", become 12 upper-case digits. False, leaving
// `normalized` alone, for any other form and for addresses no card may take:
// all zeros, all F, or a group address (the lowest bit of the first byte set).
bool NormalizeMacAddress(const char* text, char (&normalized)[kTextFieldSize]);

// "" or "Default": the card keeps (or goes back to) its own address.
bool IsOwnMacAddress(const char* normalized);

enum class FormField { Name, IpAddress, MacAddress, Mask, Gateway, Dns1, Dns2 };

// What the validator needs of the Add Configuration form.
class ConfigurationForm {
public:
    virtual ~ConfigurationForm() = default;
    virtual bool IsDhcpChecked() = 0;
    // The field's current text, cut to 127 characters.
    virtual void ReadFieldText(FormField field, char (&text)[kTextFieldSize]) = 0;
};

// Messages of the failed checks, as shown to the user.
constexpr const char kVerifyIpMessage[] = "Verify an IP";
constexpr const char kMaskMismatchMessage[] = "The entered Mask doesn't match the IP Address";
constexpr const char kVerifyGatewayMessage[] = "Verify a Gateway";
constexpr const char kVerifyDns1Message[] = "Verify the first DNS";
constexpr const char kVerifyDns2Message[] = "Verify the second DNS";
constexpr const char kVerifyMacMessage[] = "Verify the MAC";

// Reads the form into `record` (cleared first) and checks it. With DHCP on
// only the MAC (checked as it is read) and the name are read, and one of
// them must be filled. With DHCP off the addresses and then the MAC are
// checked in form order, and the first failing check ends the validation
// with its message; then the MAC and the name must both be filled. The MAC
// is stored normalised. `message` is "" unless a check of form failed.
bool ValidateConfigurationForm(ConfigurationForm& form, Configuration& record,
                               const char*& message);
