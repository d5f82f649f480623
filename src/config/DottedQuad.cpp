#include "config/Validation.h"

#include <cstdint>

namespace {

constexpr int kDotsInAddress = 3;

// One more byte of a part. The arithmetic is unsigned, so it wraps without
// undefined behaviour; ToSigned gives the two's complement value.
std::uint32_t AddByte(std::uint32_t value, char byte) {
    int code = static_cast<unsigned char>(byte);
    if (code >= 128) code -= 256;  // the byte taken as signed 8-bit
    return value * 10u + static_cast<std::uint32_t>(code - '0');
}

std::int32_t ToSigned(std::uint32_t value) {
    if (value <= static_cast<std::uint32_t>(INT32_MAX)) return static_cast<std::int32_t>(value);
    return -static_cast<std::int32_t>(~value) - 1;
}

// The value of a class is the number of leading mask parts that it fixes.
enum class AddressClass { None = 0, A = 1, B = 2, C = 3 };

AddressClass ClassOf(std::int32_t part1) {
    if (part1 >= 1 && part1 <= 126) return AddressClass::A;
    if (part1 >= 128 && part1 <= 191) return AddressClass::B;
    if (part1 >= 192 && part1 <= 223) return AddressClass::C;
    return AddressClass::None;
}

}  // namespace

std::int32_t PartToNumber(const char* text) {
    std::uint32_t value = 0;
    for (; *text != '\0'; ++text) {
        value = AddByte(value, *text);
    }
    return ToSigned(value);
}

bool ParseDottedQuad(const char* text, DottedQuad& quad) {
    if (*text == '\0') return false;
    // Each part is converted as it is walked; bytes after a fourth dot are
    // dropped, and such a text fails anyway.
    std::uint32_t parts[4] = {};
    int dots = 0;
    for (; *text != '\0'; ++text) {
        if (*text == '.') {
            ++dots;
        } else if (dots <= kDotsInAddress) {
            parts[dots] = AddByte(parts[dots], *text);
        }
    }
    if (dots != kDotsInAddress) return false;
    for (int index = 0; index < 4; ++index) {
        quad.parts[index] = ToSigned(parts[index]);
    }
    return true;
}

bool IsValidAddress(const char* text) {
    DottedQuad quad;
    if (!ParseDottedQuad(text, quad)) return false;
    const std::int32_t* part = quad.parts;
    return ClassOf(part[0]) != AddressClass::None && part[3] != 0 && part[3] < 255 &&
           part[2] <= 255 && part[1] <= 255;
}

bool MaskMatchesAddress(const char* address, const char* mask) {
    DottedQuad maskQuad;
    DottedQuad addressQuad;
    if (!ParseDottedQuad(mask, maskQuad) || !ParseDottedQuad(address, addressQuad)) return false;
    const auto addressClass = ClassOf(addressQuad.parts[0]);
    if (addressClass == AddressClass::None) return false;
    const int fixedParts = static_cast<int>(addressClass);
    for (int index = 0; index < fixedParts; ++index) {
        if (maskQuad.parts[index] != 255) return false;
    }
    return true;
}
