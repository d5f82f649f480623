// Texts compared with the letter case of A-Z aside, as the program's own
// words ("Default", switch names) and names typed by a user are compared.
// Other bytes, accented letters included, must be equal.
#pragma once

#include "common/LeadBytes.h"

inline char LowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
}

inline bool EqualIgnoringAsciiCase(const char* left, const char* right) {
    for (; *left != '\0' && *right != '\0'; ++left, ++right) {
        if (LowerAscii(*left) != LowerAscii(*right)) return false;
    }
    return *left == *right;
}

// The same for text of the code page `codePage`. On a double-byte code page
// the byte after a lead byte is the second half of one character and may
// look like an ASCII letter: both halves compare exactly.
inline bool EqualIgnoringAsciiCase(const char* left, const char* right, unsigned codePage) {
    while (*left != '\0' && *right != '\0') {
        const bool lead = IsLeadByte(codePage, static_cast<unsigned char>(*left));
        if (LowerAscii(*left) != LowerAscii(*right)) return false;
        ++left;
        ++right;
        if (!lead) continue;
        // Equal lead bytes: the second halves must be equal too, and a
        // terminator there ends both texts.
        if (*left != *right) return false;
        if (*left == '\0') return true;
        ++left;
        ++right;
    }
    return *left == *right;
}
