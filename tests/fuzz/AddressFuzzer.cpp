// Feeds arbitrary texts to the address checks and the form validator. The
// input is the DHCP switch (first byte) and up to seven field texts split at
// line feeds. Besides the sanitizers' checks: the part values equal a wide
// reference computation wrapped to 32 bits, every outcome carries one of the
// known messages, and the record's texts end inside their fields.
#include "config/Validation.h"

#include "common/BoundedText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The described arithmetic in 64 bits, then wrapped to two's complement 32 bits.
std::int32_t ReferencePart(const std::string& text) {
    std::int64_t value = 0;
    for (const char c : text) {
        const std::int64_t code = static_cast<unsigned char>(c) >= 128
                                      ? static_cast<unsigned char>(c) - 256
                                      : static_cast<unsigned char>(c);
        value = (value * 10 + code - 48) % (std::int64_t{1} << 32);
    }
    std::int64_t wrapped = value & 0xFFFFFFFF;
    if (wrapped >= (std::int64_t{1} << 31)) wrapped -= std::int64_t{1} << 32;
    return static_cast<std::int32_t>(wrapped);
}

void CheckParts(const std::string& text) {
    Check(PartToNumber(text.c_str()) == ReferencePart(text));
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == '.') {
            parts.emplace_back();
        } else if (parts.size() <= 4) {
            parts.back() += c;
        }
    }
    DottedQuad quad;
    const bool parsed = ParseDottedQuad(text.c_str(), quad);
    Check(parsed == (!text.empty() && parts.size() == 4));
    if (!parsed) return;
    for (int index = 0; index < 4; ++index) {
        Check(quad.parts[index] == ReferencePart(parts[static_cast<std::size_t>(index)]));
    }
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
    (void)IsValidAddress(form.texts[1].c_str());
    (void)MaskMatchesAddress(form.texts[1].c_str(), form.texts[3].c_str());

    Configuration record;
    std::memset(&record, 0xbd, sizeof record);
    const char* message = nullptr;
    const bool verdict = ValidateConfigurationForm(form, record, message);

    static const char* const kMessages[] = {"",
                                            kVerifyIpMessage,
                                            kMaskMismatchMessage,
                                            kVerifyGatewayMessage,
                                            kVerifyDns1Message,
                                            kVerifyDns2Message};
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
    if (form.dhcp) {
        Check(record.dhcpEnabled == 1 && record.ipAddress[0] == '\0' && record.mask[0] == '\0');
    } else if (verdict) {
        Check(IsValidAddress(record.ipAddress) &&
              MaskMatchesAddress(record.ipAddress, record.mask));
    }
    return 0;
}
