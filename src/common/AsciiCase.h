// Texts compared with the letter case of A-Z aside, as the program's own
// words ("Default", switch names) and names typed by a user are compared.
// Other bytes, accented letters included, must be equal.
#pragma once

inline char LowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
}

inline bool EqualIgnoringAsciiCase(const char* left, const char* right) {
    for (; *left != '\0' && *right != '\0'; ++left, ++right) {
        if (LowerAscii(*left) != LowerAscii(*right)) return false;
    }
    return *left == *right;
}
