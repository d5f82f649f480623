#include "config/FileText.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr std::size_t kLargestSingleRead = 256u << 20;

bool StartsWith(const std::string& bytes, const char* mark, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

unsigned Byte(const std::string& bytes, std::size_t index) {
    return static_cast<unsigned char>(bytes[index]);
}

// An odd byte at the end is half a character and is dropped.
std::u16string FromUtf16(const std::string& bytes, std::size_t start, bool bigEndian) {
    std::u16string units;
    units.reserve((bytes.size() - start) / 2);
    for (std::size_t index = start; index + 1 < bytes.size(); index += 2) {
        const unsigned first = Byte(bytes, index);
        const unsigned second = Byte(bytes, index + 1);
        units.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return units;
}

// A malformed sequence gives one replacement character for its first byte,
// and decoding goes on with the next byte.
std::u16string FromUtf8(const std::string& bytes, std::size_t start) {
    std::u16string units;
    units.reserve(bytes.size() - start);
    std::size_t index = start;
    while (index < bytes.size()) {
        const unsigned lead = Byte(bytes, index);
        std::size_t length = 0;
        unsigned long code = 0;
        unsigned long smallest = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, smallest = 0x10000;
        }
        bool wellFormed = length != 0 && index + length <= bytes.size();
        for (std::size_t next = 1; wellFormed && next < length; ++next) {
            const unsigned trail = Byte(bytes, index + next);
            wellFormed = (trail & 0xC0) == 0x80;
            code = code << 6 | (trail & 0x3F);
        }
        wellFormed = wellFormed && code >= smallest && code <= 0x10FFFF &&
                     !(code >= 0xD800 && code <= 0xDFFF);
        if (!wellFormed) {
            units.push_back(kReplacement);
            ++index;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
        index += length;
    }
    return units;
}

// The bytes from the file's position to its end, in `bytes`; false when that
// cannot be told.
bool RemainingBytes(std::FILE* file, std::size_t& bytes) {
    const long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return false;
    const long end = std::ftell(file);
    if (std::fseek(file, start, SEEK_SET) != 0 || end < 0) return false;
    bytes = end > start ? static_cast<std::size_t>(end - start) : 0;
    return true;
}

std::size_t RemainingBytes(std::FILE* file) {
    std::size_t bytes = 0;
    return RemainingBytes(file, bytes) ? bytes : 0;
}

}  // namespace

bool ReadWholeFile(std::FILE* file, std::string& bytes, std::size_t limit) {
    const std::size_t first = bytes.size();
    // One call for the whole file where its size can be told beforehand; the
    // one byte more shows a file that grew, or one over the limit. A size
    // past any real file (a folder's, on some systems) is not believed.
    const std::size_t wanted = std::min(RemainingBytes(file), limit);
    if (wanted < kLargestSingleRead) {
        bytes.resize(first + wanted + 1);
        const std::size_t read = std::fread(&bytes[first], 1, wanted + 1, file);
        bytes.resize(first + read);
        if (read <= wanted) return std::ferror(file) == 0;
    }
    char chunk[16384];
    std::size_t read = 0;
    while (bytes.size() - first <= limit && (read = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, read);
    return std::ferror(file) == 0;
}

bool RestIsAtMost(std::FILE* file, std::size_t limit) {
    std::size_t bytes = 0;
    return RemainingBytes(file, bytes) && bytes <= limit;
}

bool HasByteOrderMark(const std::string& bytes) {
    return StartsWith(bytes, "\xEF\xBB\xBF", 3) || StartsWith(bytes, "\xFF\xFE", 2) ||
           StartsWith(bytes, "\xFE\xFF", 2);
}

void DecodeFileText(std::string& text) {
    if (StartsWith(text, "\xEF\xBB\xBF", 3))
        text = Utf16ToAnsi(FromUtf8(text, 3));
    else if (StartsWith(text, "\xFF\xFE", 2))
        text = Utf16ToAnsi(FromUtf16(text, 2, false));
    else if (StartsWith(text, "\xFE\xFF", 2))
        text = Utf16ToAnsi(FromUtf16(text, 2, true));
}
