// Feeds arbitrary texts to the address checks and the form validator. The
// input is the DHCP switch (first byte) and up to seven field texts split at
// line feeds. Besides the sanitizers' checks: a text parses exactly when it
// is four parts of 1-3 digits up to 255, the address, mask and MAC checks
// agree with a reference model, every outcome carries one of the known
// messages, and the record's texts end inside their fields and hold no line
// break.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "config/Validation.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Four parts of 1 to 3 decimal digits, each at most 255.
bool ReferenceQuad(const std::string& text, std::int64_t (&values)[4]) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == '.') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    if (parts.size() != 4) return false;
    for (std::size_t index = 0; index < 4; ++index) {
        const std::string& part = parts[index];
        if (part.empty() || part.size() > 3) return false;
        for (const char c : part) {
            if (c < '0' || c > '9') return false;
        }
        values[index] = std::stoll(part);
        if (values[index] > 255) return false;
    }
    return true;
}

bool ReferenceValidAddress(const std::string& text) {
    std::int64_t parts[4];
    if (!ReferenceQuad(text, parts)) return false;
    const bool classful = (parts[0] >= 1 && parts[0] <= 126) ||
                          (parts[0] >= 128 && parts[0] <= 191) ||
                          (parts[0] >= 192 && parts[0] <= 223);
    return classful && parts[3] >= 1 && parts[3] <= 254;
}

// Contiguous: once a bit is 0, no later bit is 1.
bool ReferenceContiguousMask(const std::string& text) {
    std::int64_t parts[4];
    if (!ReferenceQuad(text, parts)) return false;
    bool zeroSeen = false;
    for (const std::int64_t part : parts) {
        for (int bit = 7; bit >= 0; --bit) {
            const bool one = (part >> bit & 1) != 0;
            if (one && zeroSeen) return false;
            zeroSeen = zeroSeen || !one;
        }
    }
    return true;
}

bool ReferenceMaskMatches(const std::string& address, const std::string& mask) {
    std::int64_t a[4];
    std::int64_t m[4];
    if (!ReferenceQuad(address, a) || !ReferenceContiguousMask(mask)) return false;
    ReferenceQuad(mask, m);
    const int fixed = a[0] >= 1 && a[0] <= 126     ? 1
                      : a[0] >= 128 && a[0] <= 191 ? 2
                      : a[0] >= 192 && a[0] <= 223 ? 3
                                                   : 0;
    if (fixed == 0) return false;
    for (int index = 0; index < fixed; ++index) {
        if (m[index] != 255) return false;
    }
    return true;
}

// The accepted hardware addresses by another route: the separators taken
// out at their places, then 12 digits that name one card.
bool ReferenceMac(const std::string& text, std::string& normalized) {
    std::string lower;
    for (const char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (text.empty() || lower == "default") {
        normalized = text.empty() ? "" : "Default";
        return true;
    }
    std::string digits = text;
    if (text.size() == 17) {
        digits.clear();
        for (std::size_t index = 0; index < text.size(); ++index) {
            if (index % 3 != 2) {
                digits += text[index];
            } else if (text[index] != text[2] || (text[2] != '-' && text[2] != ':')) {
                return false;
            }
        }
    }
    if (digits.size() != 12 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return false;
    }
    for (char& c : digits)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool group = std::string("13579BDF").find(digits[1]) != std::string::npos;
    if (digits == std::string(12, '0') || digits == std::string(12, 'F') || group) return false;
    normalized = digits;
    return true;
}

void CheckParts(const std::string& text) {
    std::int64_t values[4];
    const bool expected = ReferenceQuad(text, values);
    DottedQuad quad{{-7, -7, -7, -7}};
    Check(ParseDottedQuad(text.c_str(), quad) == expected);
    Check(IsDottedQuad(text.c_str()) == expected);
    Check(IsContiguousMask(text.c_str()) == ReferenceContiguousMask(text));
    Check(IsValidAddress(text.c_str()) == ReferenceValidAddress(text));
    for (int index = 0; index < 4; ++index) {
        Check(quad.parts[index] == (expected ? values[index] : -7));
    }
    std::string wanted;
    char normalized[kTextFieldSize] = "untouched";
    const bool accepted = ReferenceMac(text, wanted);
    Check(NormalizeMacAddress(text.c_str(), normalized) == accepted);
    Check(accepted ? wanted == normalized : std::strcmp(normalized, "untouched") == 0);
}

bool HasLineBreak(const char (&text)[kTextFieldSize]) {
    return std::strpbrk(text, "\r\n") != nullptr;
}

class Form : public ConfigurationForm {
public:
    bool dhcp = false;
    std::string texts[7];

    bool IsDhcpChecked() override { return dhcp; }
    void ReadFieldText(FormField field, char (&text)[kTextFieldSize]) override {
        CopyText(text, texts[static_cast<int>(field)].c_str());
    }
};

bool EndsInField(const char (&text)[kTextFieldSize]) {
    return std::memchr(text, '\0', kTextFieldSize) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Form form;
    form.dhcp = (data[0] & 1) != 0;
    int field = 0;
    for (std::size_t index = 1; index < size && field < 7; ++index) {
        const char c = static_cast<char>(data[index]);
        if (c == '\n') {
            ++field;
        } else if (c != '\0') {
            form.texts[field] += c;
        }
    }
    for (const std::string& text : form.texts) {
        CheckParts(text);
    }
    Check(MaskMatchesAddress(form.texts[1].c_str(), form.texts[3].c_str()) ==
          ReferenceMaskMatches(form.texts[1], form.texts[3]));

    Configuration record;
    std::memset(&record, 0xbd, sizeof record);
    const char* message = nullptr;
    const bool verdict = ValidateConfigurationForm(form, record, message);

    static const char* const kMessages[] = {"",
                                            kVerifyIpMessage,
                                            kMaskMismatchMessage,
                                            kVerifyGatewayMessage,
                                            kVerifyDns1Message,
                                            kVerifyDns2Message,
                                            kVerifyMacMessage};
    Check(message != nullptr);
    bool known = false;
    for (const char* text : kMessages) {
        known = known || std::strcmp(message, text) == 0;
    }
    Check(known);
    Check(!verdict || *message == '\0');
    Check(EndsInField(record.name) && EndsInField(record.ipAddress) &&
          EndsInField(record.macAddress) && EndsInField(record.mask) &&
          EndsInField(record.gateway) && EndsInField(record.dns1) && EndsInField(record.dns2));
    Check(!HasLineBreak(record.name) && !HasLineBreak(record.ipAddress) &&
          !HasLineBreak(record.macAddress) && !HasLineBreak(record.mask) &&
          !HasLineBreak(record.gateway) && !HasLineBreak(record.dns1) &&
          !HasLineBreak(record.dns2));
    if (verdict) {
        // The MAC is stored in its one form.
        char again[kTextFieldSize];
        Check(NormalizeMacAddress(record.macAddress, again) &&
              std::strcmp(again, record.macAddress) == 0);
    }
    if (form.dhcp) {
        Check(record.dhcpEnabled == 1 && record.ipAddress[0] == '\0' && record.mask[0] == '\0');
    } else if (verdict) {
        Check(IsValidAddress(record.ipAddress) &&
              MaskMatchesAddress(record.ipAddress, record.mask));
    }
    return 0;
}
