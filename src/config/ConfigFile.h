// The configuration file: a banner, then one nine-line block per saved
// configuration with Spanish keys. Every build writes the same bytes (CR LF
// line ends, written in binary mode); the reader takes CR LF, a bare LF or a
// lone CR as a line end.
#pragma once

#include "config/Configuration.h"
#include "config/ConfigurationList.h"
#include "config/UserPrompts.h"

#include <cstdio>
#include <memory>

constexpr const char kConfigFileName[] = "Nicset.conf";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` with the C library `mode`. When it cannot be opened, tells the
// user "Error opening config file " and `path` and gives an empty handle.
FileHandle OpenConfigFile(const char* path, const char* mode, UserPrompts& prompts);

// Writes the nine-line block of `record`. False when a write failed.
bool WriteConfigurationBlock(std::FILE* file, Configuration record);

// Writes the banner and every block of `list`, in list order. False when a
// write failed.
bool WriteConfigurations(std::FILE* file, const ConfigurationList& list);

class FileCalls;

// Saves `list` to `path`: writes a temporary file beside it (made afresh,
// never opened through whatever already had its name), flushes it to disk
// and then puts it in place of `path` (FileReplace.h), so a failure at any
// point leaves the old file exactly as it was. Tells the user on failure;
// true when saved. `calls` are the file system calls it makes.
bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        FileCalls& calls);
// The same with the system's own calls.
bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts);

// Reads the next token into `token`: leading blanks dropped, "%" stored as
// "$" and a double quote as a backquote, ended by `delimiter`, a line end, a
// zero byte or the end of the file (none of them stored). Characters past
// the field's 127 are read and dropped. False once the end of the file (or a
// read error) has been reached.
bool ReadToken(std::FILE* file, char (&token)[kTextFieldSize], char delimiter);

// Appends every block of an open file to `list`; a block counts once its
// "2- Sevidor DNS" line has been read. Keys may come in any order, and a key
// missing from a block keeps the previous block's value.
void ReadConfigurations(std::FILE* file, ConfigurationList& list);

// Opens `path` and reads it into `list`. False (after telling the user) when
// the file cannot be opened; the list is then unchanged.
bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts);
