// Copies into the fixed-size text fields of the records. Every copy is cut
// to the field and always zero-terminated, so no text ever runs past one.
#pragma once

#include <cstddef>
#include <cstring>

// Copies at most capacity - 1 characters of `source` and a terminator.
inline void CopyText(char* destination, std::size_t capacity, const char* source) {
    if (capacity == 0) return;
    std::size_t length = 0;
    while (length + 1 < capacity && source[length] != '\0') ++length;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

template <std::size_t N>
void CopyText(char (&destination)[N], const char* source) {
    CopyText(destination, N, source);
}
