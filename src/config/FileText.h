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

// A text that starts with a UTF-16 (little- or big-endian) or UTF-8 byte-
// order mark, converted to the ANSI code page without its mark; characters
// the code page lacks become "?". Any other text is given back unchanged.
std::string DecodeFileText(const std::string& bytes);

// UTF-16 code units in the ANSI code page, one "?" for each character it
// lacks. Split by platform: the system's own conversion on Windows, the
// Windows-1252 table elsewhere.
std::string Utf16ToAnsi(const std::u16string& text);
