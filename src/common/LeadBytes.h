// Which bytes open a two-byte character on the double-byte code pages of
// Windows (Japanese, Simplified Chinese, Korean, Traditional Chinese). The
// byte after a lead byte is the character's second half, whatever its value:
// it may look like an ASCII letter, so text walks must step over it whole.
#pragma once

inline bool IsLeadByte(unsigned codePage, unsigned char byte) {
    switch (codePage) {
        case 932:  // Shift-JIS
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:  // GBK
        case 949:  // Unified Hangul
        case 950:  // Big5
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}
