// The configuration file: a banner, then one nine-line block per saved
// configuration with Spanish keys. Every build writes the same bytes (CR LF
// line ends, written in binary mode); the reader takes CR LF, a bare LF or a
// lone CR as a line end.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "config/Configuration.h"
#include "config/ConfigurationList.h"
#include "config/UserPrompts.h"

constexpr const char kConfigFileName[] = "Nicset.conf";
// What the user is told when the file cannot be read; its path follows.
constexpr const char kConfigFileOpenError[] = "Error opening config file ";
// The largest file a load reads, 64 MB: some 300,000 configurations, far more
// than anyone keeps, and still a read of a moment. A larger one is refused as
// a file that cannot be opened, and the save that would replace it keeps a
// copy of it first.
constexpr std::size_t kLargestConfigFileBytes = 64u << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

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

// Appends every block of a file's text to `list`; a block counts once its
// "2- Sevidor DNS" line has been read. Keys may come in any order, and a key
// missing from a block keeps the previous block's value. False when the list
// took no more (memory ran out): the blocks before are in it, the rest not.
bool ReadConfigurations(const std::string& text, ConfigurationList& list);

// True when the text yields a configuration, or holds nothing but the
// banner and blank lines: replacing such a file loses nothing.
bool HoldsConfigurationsOrNothing(const std::string& text);

// True when `start`, the first bytes of a text without a byte-order mark,
// already yields a configuration whatever bytes follow it: the whole text
// then does too, and HoldsConfigurationsOrNothing need not read it all.
bool StartsWithConfiguration(const std::string& start);

// Before a save replaces `path`: a file there that the reader makes nothing
// of, though it holds something (a damaged file, one in an encoding Nicset
// does not know, one too large to load), is copied unchanged to `path` + ".bak", replacing an older
// copy (made afresh, as the temporary file of a save is). True when the
// copy is complete on disk or none was needed.
bool KeepUnreadableFile(const char* path, FileCalls& calls);

// Copies the file at `path` unchanged to `path` + ".bak", replacing an older
// copy; never written through a link planted under that name. True when the
// copy is complete on disk.
bool KeepFileCopy(const char* path, FileCalls& calls);

// What reading the file gave.
enum class FileReadResult {
    kWhole,       // every configuration of the file is in the list
    kPartial,     // memory ran out: the list has the configurations before
    kCannotOpen,  // not opened, or larger than kLargestConfigFileBytes; list unchanged
};

// Reads `path` into `list` and does nothing else: no message, no copy,
// nothing written. A file saved as Unicode is read as the text it holds.
FileReadResult ReadConfigFile(const char* path, ConfigurationList& list);

// Opens `path` and reads it into `list`; a file saved as Unicode is read as
// the text it holds. False (after telling the user "Error opening config
// file ") when the file cannot be opened or is larger than
// kLargestConfigFileBytes, the list then unchanged; or when it holds more
// configurations than memory can take: the list then has those that fit,
// and the file is first copied whole to `path` + ".bak", since the next
// save replaces it with the list.
bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts);
