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

// What a session's load leaves for its saves. A session that did not load
// the file whole is partial: its saves replace nothing, and delete nothing
// beside the file, until a copy of what was there is complete on disk. Each
// save tries that copy anew.
struct ConfigFileSession {
    // The name still to be copied, as a suffix to the file's own: "" for the
    // file itself, ".old" or ".tmp" for what a save cut off halfway left and
    // the load could not put back. Null in a complete session.
    const char* unkept = nullptr;
};

// Saves `list` to `path`: writes a temporary file beside it (made afresh,
// never opened through whatever already had its name), flushes it to disk
// and then puts it in place of `path` (FileReplace.h), so a failure at any
// point leaves the old file exactly as it was. Tells the user on failure,
// memory running out included; true when saved. `calls` are the file
// system calls it makes.
bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session, FileCalls& calls);
// The same with the system's own calls.
bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session);

// Appends every block of a file's text to `list`; a block counts once its
// "2- Sevidor DNS" line has been read. Keys may come in any order, and a key
// missing from a block keeps the previous block's value. False when the list
// took no more (memory ran out): the blocks before are in it, the rest not.
bool ReadConfigurations(const std::string& text, ConfigurationList& list);

// True when the text yields a configuration.
bool YieldsConfiguration(const std::string& text);

// True when the text yields a configuration, or holds nothing but the
// banner and blank lines: replacing such a file loses nothing.
bool HoldsConfigurationsOrNothing(const std::string& text);

// True when `start`, the first bytes of a text read as it is, already
// yields a configuration whatever bytes follow it: the whole text then does
// too, and HoldsConfigurationsOrNothing need not read it all.
bool StartsWithConfiguration(const std::string& start);

// Before a save replaces `path`: a file there that replacing would lose is
// copied unchanged (KeepFileCopy). That is one the reader makes nothing of
// though it holds something (a damaged file, one in an encoding Nicset does
// not know), one too large to load, and one not in the system's own text
// (UTF-16, UTF-8), whose conversion may have lost characters. True when the
// copy is complete on disk or none was needed; false also when the file is
// there but cannot be read.
bool KeepUnreadableFile(const char* path, FileCalls& calls);

// Copies the file `source` unchanged, in pieces, to the next numbered copy
// of `path`: `path` + ".bak" when there is none, else the number past the
// highest there (".bak2", ".bak3" and so on), so an older copy is never
// replaced and the highest number is the newest. True when the copy is
// complete on disk, or when there is no file `source`; a copy that could
// not be made whole is removed.
bool KeepFileCopy(const char* source, const char* path, FileCalls& calls);

// Renames the file `source` to the next numbered copy of `path`, named as
// KeepFileCopy names it. False when it was not moved.
bool MoveToNextCopy(const char* source, const char* path, FileCalls& calls);

// The temporary file `leftover` that a save cut off left beside `path` may
// hold configurations newer than those of `path`: when it yields one, it
// becomes the next numbered copy of `path` (moved there, else copied). True
// when it is kept, yields none, cannot be read, or is not there: only then
// may a save delete it.
bool KeepLeftoverTemporary(const char* leftover, const char* path, FileCalls& calls);

// What reading the file gave.
enum class FileReadResult {
    kWhole,       // every configuration of the file is in the list
    kPartial,     // memory ran out, or a read failed: the list has the configurations before
    kCannotOpen,  // not opened, or larger than kLargestConfigFileBytes; list unchanged
};

// Reads `path` into `list` and does nothing else: no message, no copy,
// nothing written. A file saved as Unicode or UTF-8 is read as the text it
// holds.
FileReadResult ReadConfigFile(const char* path, ConfigurationList& list);

// The window's load: reads `path` into `list` as ReadConfigFile does and
// sets up `session` for the saves. Where `path` is missing, a save cut off
// halfway left it aside (".old") or, failing that, as its temporary file
// (".tmp"): that one is put back as `path` and loaded. Where it left both,
// between its two moves, the temporary file is complete and the newer:
// ".old" becomes the next numbered copy and ".tmp" is put back (failing the
// first move, ".tmp" is copied and ".old" put back). False, after telling
// the user "Error opening config file ", when the file could not be read
// whole (missing, not to be opened, too large, memory ran out) or could not
// be put back; the list then has what could be read of it.
bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session, FileCalls& calls);
// The same with the system's own calls.
bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session);
