#include "config/FileText.h"

#include <windows.h>

#include <climits>

#ifndef WC_NO_BEST_FIT_CHARS
#define WC_NO_BEST_FIT_CHARS 0x00000400
#endif

namespace {

// 0 when the conversion with these flags failed. UTF-8 has every
// character, and Windows refuses a default character for it.
int Convert(UINT codePage, DWORD flags, const std::u16string& text, char* ansi, int capacity) {
    static const char kMissing[] = "?";
    return WideCharToMultiByte(codePage, flags, reinterpret_cast<const wchar_t*>(text.data()),
                               static_cast<int>(text.size()), ansi, capacity,
                               codePage == CP_UTF8 ? nullptr : kMissing, nullptr);
}

}  // namespace

unsigned AnsiCodePage() {
    return GetACP();
}

std::string Utf16ToAnsi(const std::u16string& text, unsigned codePage) {
    if (text.empty()) return {};
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::string(text.size(), '?');
    // Without best fit a missing character becomes "?" instead of a look-
    // alike. Windows 98 knows no such flag and refuses it; it then converts
    // as it always does. UTF-8 takes no flags at all.
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = Convert(codePage, flags, text, nullptr, 0);
    if (length == 0 && flags != 0) {
        flags = 0;
        length = Convert(codePage, flags, text, nullptr, 0);
    }
    if (length <= 0) return std::string(text.size(), '?');
    std::string ansi(static_cast<std::size_t>(length), '\0');
    length = Convert(codePage, flags, text, &ansi[0], length);
    ansi.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return ansi;
}
