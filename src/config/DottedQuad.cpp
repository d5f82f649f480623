#include <cstdint>

#include "config/Validation.h"

namespace {

constexpr int kDotsInAddress = 3;
constexpr int kMostDigitsInPart = 3;
constexpr std::int32_t kLargestPart = 255;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a part of 1 to 3 digits, which the parse has made sure of.
std::int32_t PartValue(const char* digits) {
    std::int32_t value = 0;
    for (; *digits != '\0'; ++digits)
        value = value * 10 + (*digits - '0');
    return value;
}

// The value of a class is the number of leading mask parts that it fixes.
enum class AddressClass { None = 0, A = 1, B = 2, C = 3 };

AddressClass ClassOf(std::int32_t part1) {
    if (part1 >= 1 && part1 <= 126) return AddressClass::A;
    if (part1 >= 128 && part1 <= 191) return AddressClass::B;
    if (part1 >= 192 && part1 <= 223) return AddressClass::C;
    return AddressClass::None;
}

// A mask read as 32 bits must be a run of ones followed by zeros only.
bool IsContiguous(const DottedQuad& mask) {
    std::uint32_t bits = 0;
    for (std::int32_t part : mask.parts) {
        bits = bits << 8 | static_cast<std::uint32_t>(part);
    }
    const std::uint32_t zeros = ~bits;
    return (zeros & (zeros + 1u)) == 0;
}

}  // namespace

bool ParseDottedQuad(const char* text, DottedQuad& quad) {
    // Each part is 1 to 3 digits: Windows reads nothing else as an address.
    char partText[4][kMostDigitsInPart + 1] = {};
    int dots = 0;
    int digits = 0;
    for (; *text != '\0'; ++text) {
        if (*text == '.') {
            if (digits == 0 || ++dots > kDotsInAddress) return false;
            digits = 0;
        } else if (IsDigit(*text) && digits < kMostDigitsInPart) {
            partText[dots][digits++] = *text;
        } else {
            return false;
        }
    }
    if (dots != kDotsInAddress || digits == 0) return false;
    DottedQuad parsed;
    for (int index = 0; index < 4; ++index) {
        parsed.parts[index] = PartValue(partText[index]);
        if (parsed.parts[index] > kLargestPart) return false;
    }
    quad = parsed;
    return true;
}

bool IsDottedQuad(const char* text) {
    DottedQuad quad;
    return ParseDottedQuad(text, quad);
}

bool IsContiguousMask(const char* text) {
    DottedQuad quad;
    return ParseDottedQuad(text, quad) && IsContiguous(quad);
}

bool IsValidAddress(const char* text) {
    DottedQuad quad;
    if (!ParseDottedQuad(text, quad)) return false;
    const std::int32_t* part = quad.parts;
    return ClassOf(part[0]) != AddressClass::None && part[3] != 0 && part[3] < 255;
}

bool MaskMatchesAddress(const char* address, const char* mask) {
    DottedQuad maskQuad;
    DottedQuad addressQuad;
    if (!ParseDottedQuad(mask, maskQuad) || !ParseDottedQuad(address, addressQuad)) return false;
    const auto addressClass = ClassOf(addressQuad.parts[0]);
    if (addressClass == AddressClass::None || !IsContiguous(maskQuad)) return false;
    const int fixedParts = static_cast<int>(addressClass);
    for (int index = 0; index < fixedParts; ++index) {
        if (maskQuad.parts[index] != 255) return false;
    }
    return true;
}
