// The text of a fixed-size field of a record passed in by value. Such a
// record may come from anywhere, so its fields are not trusted to hold a
// terminator.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return std::string(field,
                       end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N);
}
