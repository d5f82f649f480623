// A configuration file's bytes as the text the reader takes. Editors such as
// Notepad save "Unicode" files with a byte-order mark; those are turned into
// the single-byte ANSI text the program keeps everywhere else.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Reads the rest of an open file into `bytes`, in one call where the file's
// size can be had beforehand. Stops once more than `limit` bytes are read.
// False on a read error.
bool ReadWholeFile(std::FILE* file, std::string& bytes, std::size_t limit = SIZE_MAX);

// True when the rest of an open file is known to be no longer than `limit`
// bytes; false when it is longer or its length cannot be told.
bool RestIsAtMost(std::FILE* file, std::size_t limit);

// True when the bytes start with a byte-order mark that DecodeFileText converts.
bool HasByteOrderMark(const std::string& bytes);

// A text that starts with a UTF-16 (little- or big-endian) or UTF-8 byte-
// order mark is replaced by its conversion to the ANSI code page, without its
// mark; characters the code page lacks become "?". Any other text is left as
// it is, in place: a file of megabytes is not copied for nothing.
void DecodeFileText(std::string& text);

// UTF-16 code units in the ANSI code page, one "?" for each character it
// lacks. Split by platform: the system's own conversion on Windows, the
// Windows-1252 table elsewhere.
std::string Utf16ToAnsi(const std::u16string& text);
