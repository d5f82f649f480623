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

// The Windows code pages of two bytes a character: Japanese, simplified
// Chinese, Korean, traditional Chinese.
bool IsDoubleByteCodePage(unsigned codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
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
        if (read <= wanted || read > limit) return std::ferror(file) == 0;
    }
    const std::size_t rest = limit - (bytes.size() - first);
    return ReadInPieces(file, rest, [&bytes](const char* piece, std::size_t size) {
               bytes.append(piece, size);
           }) != SIZE_MAX;
}

std::size_t ReadInPieces(std::FILE* file, std::size_t limit,
                         const std::function<void(const char*, std::size_t)>& take) {
    char piece[16384];
    std::size_t total = 0;
    std::size_t read = 0;
    // Never more than the one byte past the limit that shows the file is over it.
    while (total <= limit &&
           (read = std::fread(piece, 1, std::min(sizeof piece, limit - total + 1), file)) > 0) {
        take(piece, read);
        total += read;
    }
    return std::ferror(file) == 0 ? total : SIZE_MAX;
}

bool RestIsAtMost(std::FILE* file, std::size_t limit) {
    std::size_t bytes = 0;
    return RemainingBytes(file, bytes) && bytes <= limit;
}

void TextEncodingDetector::Feed(const char* bytes, std::size_t size) {
    for (std::size_t index = 0; index < size && startSize_ < sizeof start_; ++index)
        start_[startSize_++] = static_cast<unsigned char>(bytes[index]);
    for (std::size_t index = 0; index < size && wellFormed_; ++index) {
        const unsigned char byte = static_cast<unsigned char>(bytes[index]);
        if (due_ > 0) {
            wellFormed_ = byte >= lowest_ && byte <= highest_;
            lowest_ = 0x80, highest_ = 0xBF;
            --due_;
            continue;
        }
        if (byte < 0x80) continue;
        pastAscii_ = true;
        // The ranges of well-formed UTF-8: no overlong forms, no surrogates,
        // nothing past U+10FFFF.
        if (byte >= 0xC2 && byte <= 0xDF) {
            due_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            due_ = 2;
            if (byte == 0xE0) lowest_ = 0xA0;
            if (byte == 0xED) highest_ = 0x9F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            due_ = 3;
            if (byte == 0xF0) lowest_ = 0x90;
            if (byte == 0xF4) highest_ = 0x8F;
        } else {
            wellFormed_ = false;
        }
    }
}

TextEncoding TextEncodingDetector::Result() const {
    const std::string start(reinterpret_cast<const char*>(start_), startSize_);
    if (StartsWith(start, "\xEF\xBB\xBF", 3)) return TextEncoding::kUtf8Marked;
    if (StartsWith(start, "\xFF\xFE", 2)) return TextEncoding::kUtf16Le;
    if (StartsWith(start, "\xFE\xFF", 2)) return TextEncoding::kUtf16Be;
    const bool singleByte = codePage_ != kUtf8CodePage && !IsDoubleByteCodePage(codePage_);
    return singleByte && wellFormed_ && due_ == 0 && pastAscii_ ? TextEncoding::kUtf8
                                                                : TextEncoding::kAnsi;
}

TextEncoding DecodeFileText(std::string& text, unsigned codePage) {
    TextEncodingDetector detector(codePage);
    detector.Feed(text.data(), text.size());
    const TextEncoding encoding = detector.Result();
    switch (encoding) {
        case TextEncoding::kAnsi:
            break;
        case TextEncoding::kUtf8:
            text = Utf16ToAnsi(FromUtf8(text, 0), codePage);
            break;
        case TextEncoding::kUtf8Marked:
            text = Utf16ToAnsi(FromUtf8(text, 3), codePage);
            break;
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be:
            text = Utf16ToAnsi(FromUtf16(text, 2, encoding == TextEncoding::kUtf16Be), codePage);
            break;
    }
    return encoding;
}
