// Copies into the fixed-size text fields of the records. Every copy is cut
// to the field and always zero-terminated, so no text ever runs past one.
#pragma once

#include <cstddef>
#include <cstring>

// Copies at most capacity - 1 characters of `source` and a terminator.
inline void CopyText(char* destination, std::size_t capacity, const char* source) {
    if (capacity == 0) return;
    std::size_t length = 0;
    while (length + 1 < capacity && source[length] != '\0')
        ++length;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

template <std::size_t N>
void CopyText(char (&destination)[N], const char* source) {
    CopyText(destination, N, source);
}

// As CopyText, with every CR and LF made a blank. A record's texts are saved
// one per line, so a line break inside one would split its block in two;
// texts from outside (the registry, a typed field) are copied with this.
inline void CopyLineText(char* destination, std::size_t capacity, const char* source) {
    CopyText(destination, capacity, source);
    for (std::size_t index = 0; index < capacity && destination[index] != '\0'; ++index) {
        if (destination[index] == '\r' || destination[index] == '\n') destination[index] = ' ';
    }
}

template <std::size_t N>
void CopyLineText(char (&destination)[N], const char* source) {
    CopyLineText(destination, N, source);
}
