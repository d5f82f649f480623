// The file system calls of a safe save, and the two steps built on them:
// making the temporary file afresh and putting it in place of the old file.
// The calls sit behind one interface so that tests can act out a system that
// lacks a call or fails halfway; FileCalls' own methods are the real calls,
// one half per platform (FileReplace_posix.cpp, FileReplace_win.cpp).
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Where the "98" family's replace moves the old file for a moment.
constexpr const char kAsideSuffix[] = ".old";

enum class ReplaceOutcome { kReplaced, kFailed, kNotImplemented };

class FileCalls {
public:
    virtual ~FileCalls() = default;

    // Opens `path` for binary reading. Null on failure, `absent` then telling
    // whether nothing of that name exists: a file that is there but cannot be
    // opened (locked, or not to be read) is not absent.
    virtual std::FILE* OpenForReading(const char* path, bool& absent);
    // Creates `path` and opens it for binary writing, only when no entry has
    // that name: a file or a link already there is neither opened nor
    // followed. Null when the file was not created.
    virtual std::FILE* CreateNew(const char* path);
    // Removes the directory entry `path`: a link itself, never what it points to.
    virtual bool RemoveEntry(const char* path);
    // Flushes the file's buffers and asks the system to put its data on the disk.
    virtual bool CommitToDisk(std::FILE* file);
    // Puts the file `source` in place of `target` in one step: afterwards
    // `target` is either the old file or the whole new one, never a mix.
    // kNotImplemented where the system has no such call (the "98" family).
    virtual ReplaceOutcome ReplaceAtomically(const char* source, const char* target);
    // Renames `source` to `target`; fails when `target` exists.
    virtual bool Move(const char* source, const char* target);
    // Hands `take` the name of every entry of the folder that holds `path`,
    // but "." and "..", each after the folder part of `path`: beside
    // "C:\Net\Nicset.conf" comes "C:\Net\Nicset.conf.bak". False when the
    // folder cannot be listed whole.
    virtual bool ListFolder(const char* path, const std::function<void(const std::string&)>& take);
};

// Creates `path` for binary writing, never through something already there:
// an entry of that name (a leftover, or a link planted to make a save write
// elsewhere) is removed and the creation tried once more. Null on failure.
std::FILE* CreateFileAfresh(const char* path, FileCalls& calls);

// Puts the complete file `source` in place of `target`, in one step where
// the system can. Where it cannot, the old file is moved aside to `target`
// plus ".old", the new one moved in and the old one deleted, so that at every
// moment one of them is whole under a name the user can find. False when the
// new file is not in place; the old one is then back under `target`, unless
// even that move failed and it is left under the ".old" name.
bool ReplaceFile(const char* source, const char* target, FileCalls& calls);
