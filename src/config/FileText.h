// A configuration file's bytes as the text the reader takes. Editors such as
// Notepad save "Unicode" files with a byte-order mark, and Notepad today
// saves UTF-8 without one; those are turned into the ANSI text the program
// keeps everywhere else.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// Code pages by their Windows numbers.
constexpr unsigned kUtf8CodePage = 65001;

// The system's ANSI code page: GetACP() on Windows, Windows-1252 elsewhere.
unsigned AnsiCodePage();

// Reads the rest of an open file into `bytes`, in one call where the file's
// size can be had beforehand. Stops once more than `limit` bytes are read,
// having read `limit` + 1. False on a read error.
bool ReadWholeFile(std::FILE* file, std::string& bytes, std::size_t limit = SIZE_MAX);

// True when the rest of an open file is known to be no longer than `limit`
// bytes; false when it is longer or its length cannot be told.
bool RestIsAtMost(std::FILE* file, std::size_t limit);

// Hands the rest of an open file to `take` in pieces of some kilobytes, in
// file order, and stops once more than `limit` bytes are read. Gives the
// bytes read, or SIZE_MAX on a read error.
std::size_t ReadInPieces(std::FILE* file, std::size_t limit,
                         const std::function<void(const char*, std::size_t)>& take);

// What a file's bytes are, on a system of a given ANSI code page.
enum class TextEncoding {
    kAnsi,        // the system's own text, read as it is
    kUtf8,        // UTF-8 without a mark
    kUtf8Marked,  // the marks: each is dropped and the rest converted
    kUtf16Le,
    kUtf16Be,
};

// Tells the encoding of a file from all its bytes, fed in pieces in file
// order. A file without a mark is UTF-8 when all of it is well-formed UTF-8
// holding at least one character past ASCII, on a single-byte code page
// other than UTF-8 itself: there it is the system's own text, and a double-
// byte code page's text is read as it stands.
class TextEncodingDetector {
public:
    explicit TextEncodingDetector(unsigned codePage) : codePage_(codePage) {}

    void Feed(const char* bytes, std::size_t size);
    TextEncoding Result() const;

private:
    unsigned codePage_;
    unsigned char start_[3] = {};
    std::size_t startSize_ = 0;
    bool wellFormed_ = true;
    bool pastAscii_ = false;
    // Continuation bytes still due, and the range the next one must be in.
    unsigned due_ = 0;
    unsigned char lowest_ = 0x80, highest_ = 0xBF;
};

// Converts a text read in `encoding` in place, to the code page's text
// without its mark; a character the code page lacks becomes "?". Text in
// the system's own encoding is left as it is, in place: a file of megabytes
// is not copied for nothing. Gives the encoding it found.
TextEncoding DecodeFileText(std::string& text, unsigned codePage);

// UTF-16 code units in the code page `codePage`, one "?" for each character
// it lacks. Split by platform: the system's own conversion on Windows; the
// Windows-1252 table, or UTF-8 for 65001, elsewhere.
std::string Utf16ToAnsi(const std::u16string& text, unsigned codePage);
