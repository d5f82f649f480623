#include "ui/ConfigurationRows.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Missing from older headers. Windows documents it as the same search as
// LVFI_PARTIAL, and LVFI_WRAP alone as a search for the whole text.
constexpr unsigned kFindSubstring = 0x0004;  // LVFI_SUBSTRING

// Appends the sort key of `name` (the order CompareStringA gives in the
// user's locale, case counted) to `keys`, ended by '\0': comparing two keys
// byte by byte orders the names as comparing the names would, at a fraction
// of the cost, since each name is looked at once instead of at every
// comparison.
void AppendSortKey(const char* name, std::vector<char>& keys) {
    char key[1024];
    int length = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name, -1, key, sizeof key);
    if (length > 0) {
        keys.insert(keys.end(), key, key + length);
        return;
    }
    // A key longer than the buffer: ask for its size, then for the key.
    length = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name, -1, nullptr, 0);
    const std::size_t at = keys.size();
    keys.resize(at + static_cast<std::size_t>(std::max(length, 0)));
    if (length <= 0 ||
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name, -1, &keys[at], length) != length) {
        keys.resize(at);
        keys.push_back('\0');  // no key: sorts first
    }
    // The key ends with its own zero byte.
}

bool NameMatches(const char* name, const char* text, bool partial) {
    const int length = static_cast<int>(std::strlen(text));
    int compared = static_cast<int>(std::strlen(name));
    if (partial) compared = std::min(compared, length);
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name, compared, text, length) ==
           CSTR_EQUAL;
}

}  // namespace

bool ConfigurationRows::Fill(const ConfigurationList& list) {
    text_.clear();
    rows_.clear();
    try {
        std::size_t bytes = 0;
        for (const Configuration& configuration : list)
            bytes += strnlen(configuration.name, kTextFieldSize - 1) +
                     strnlen(configuration.ipAddress, kTextFieldSize - 1) + 2;
        text_.reserve(bytes);
        rows_.reserve(list.Size());
        // Where each row's sort key starts in `keys`, by row in list order.
        std::vector<char> keys;
        std::vector<std::size_t> keyOf;
        keyOf.reserve(list.Size());
        std::size_t previous = 0;  // the last row's name in text_
        for (const Configuration& configuration : list) {
            rows_.push_back(text_.size());
            for (const char* field : {configuration.name, configuration.ipAddress}) {
                const std::size_t length = strnlen(field, kTextFieldSize - 1);
                text_.insert(text_.end(), field, field + length);
                text_.push_back('\0');
            }
            // A run of equal names (a damaged file may hold a million) shares one key.
            const char* name = &text_[rows_.back()];
            if (!keyOf.empty() && std::strcmp(&text_[previous], name) == 0) {
                keyOf.push_back(keyOf.back());
            } else {
                keyOf.push_back(keys.size());
                AppendSortKey(name, keys);
            }
            previous = rows_.back();
        }
        // Sorted by key; equal names keep the order of the list.
        std::vector<std::size_t> order(rows_.size());
        for (std::size_t row = 0; row < order.size(); ++row)
            order[row] = row;
        const char* key = keys.data();
        std::stable_sort(order.begin(), order.end(), [key, &keyOf](std::size_t a, std::size_t b) {
            return std::strcmp(key + keyOf[a], key + keyOf[b]) < 0;
        });
        for (std::size_t& row : order)
            row = rows_[row];
        rows_.swap(order);
    } catch (const std::bad_alloc&) {
        text_.clear();
        rows_.clear();
        return false;
    }
    return true;
}

const char* ConfigurationRows::Text(std::size_t row, int column) const {
    if (row >= rows_.size() || column < 0 || column > 1) return "";
    const char* name = &text_[rows_[row]];
    return column == 0 ? name : name + std::strlen(name) + 1;
}

int ConfigurationRows::Find(int start, const char* text, bool partial, bool wrap) const {
    const int count = static_cast<int>(rows_.size());
    if (start < 0 || start >= count) start = 0;
    for (int row = start; row < count; ++row)
        if (NameMatches(Text(row, 0), text, partial)) return row;
    if (wrap)
        for (int row = 0; row < start; ++row)
            if (NameMatches(Text(row, 0), text, partial)) return row;
    return -1;
}

bool ConfigurationRows::IsTextSearch(unsigned flags) {
    const unsigned byText = LVFI_STRING | LVFI_PARTIAL | kFindSubstring;
    const unsigned byOther = LVFI_PARAM | LVFI_NEARESTXY;
    return (flags & byText) != 0 || ((flags & LVFI_WRAP) != 0 && (flags & byOther) == 0);
}

int ConfigurationRows::FindTyped(int start, const char* text, unsigned flags) const {
    if (!IsTextSearch(flags)) return -1;
    return Find(start, text, (flags & (LVFI_PARTIAL | kFindSubstring)) != 0,
                (flags & LVFI_WRAP) != 0);
}
