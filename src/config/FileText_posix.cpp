#include "config/FileText.h"

namespace {

// Windows-1252 from 0x80 to 0x9F; 0 where the code page has no character.
// The rest of the code page is Latin-1: the byte is the character's number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToWindows1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (int index = 0; index < 32; ++index) {
        if (kHighControls[index] == unit) return static_cast<char>(0x80 + index);
    }
    return '?';
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// A lone surrogate becomes U+FFFD, as Windows converts it.
void AppendUtf8(std::string& out, unsigned long code) {
    if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

unsigned AnsiCodePage() {
    return 1252;
}

std::string Utf16ToAnsi(const std::u16string& text, unsigned codePage) {
    std::string ansi;
    ansi.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const bool pair = IsHighSurrogate(text[index]) && index + 1 < text.size() &&
                          IsLowSurrogate(text[index + 1]);
        if (codePage == kUtf8CodePage) {
            unsigned long code = text[index];
            if (pair) code = 0x10000 + ((code - 0xD800) << 10) + (text[++index] - 0xDC00);
            AppendUtf8(ansi, code);
            continue;
        }
        // A character outside the basic plane is one "?", not two.
        if (pair) {
            ++index;
            ansi += '?';
            continue;
        }
        ansi += ToWindows1252(text[index]);
    }
    return ansi;
}
