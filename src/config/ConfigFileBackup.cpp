// A file Nicset makes nothing of, or reads only through a conversion, may
// still be the user's only copy of his configurations (saved as "Unicode" by
// an editor, or damaged). The save that would replace it keeps it first.
#include <string>

#include "config/ConfigFile.h"
#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kBackupSuffix[] = ".bak";
// Nicset's own file gives its first configuration within a few hundred
// bytes; this much of it is read first, and usually spares holding the
// whole file: the rest is only looked through.
constexpr std::size_t kFirstPieceBytes = 64u << 10;
// Where a folder that refuses to tell which names are free stops the search.
constexpr unsigned kMostBackups = 9999;

// Whether replacing the open file, of which `bytes` were read first, would
// lose anything. False also when the file cannot be read: what cannot be
// read cannot be judged.
bool NeedsCopy(std::FILE* file, std::string& bytes, bool& needed) {
    const unsigned codePage = AnsiCodePage();
    if (StartsWithConfiguration(bytes)) {
        // The rest cannot take that configuration away, but it can make the
        // file one too large to load, or one in UTF-8.
        TextEncodingDetector detector(codePage);
        detector.Feed(bytes.data(), bytes.size());
        const std::size_t rest = ReadInPieces(
            file, kLargestConfigFileBytes - bytes.size(),
            [&detector](const char* piece, std::size_t size) { detector.Feed(piece, size); });
        if (rest == SIZE_MAX) return false;
        needed = bytes.size() + rest > kLargestConfigFileBytes ||
                 detector.Result() != TextEncoding::kAnsi;
        return true;
    }
    // One too large to load is kept unread; the others are read whole.
    const std::size_t rest = kLargestConfigFileBytes - bytes.size();
    if (!RestIsAtMost(file, rest)) {
        needed = true;
        return true;
    }
    if (!ReadWholeFile(file, bytes, rest)) return false;
    needed = bytes.size() > kLargestConfigFileBytes ||
             DecodeFileText(bytes, codePage) != TextEncoding::kAnsi ||
             !HoldsConfigurationsOrNothing(bytes);
    return true;
}

}  // namespace

bool KeepUnreadableFile(const char* path, FileCalls& calls) {
    bool absent = false;
    FileHandle original(calls.OpenForReading(path, absent));
    // Only a file that is not there has nothing to lose.
    if (!original) return absent;
    std::string bytes;
    bool needed = true;
    if (!ReadWholeFile(original.get(), bytes, kFirstPieceBytes) ||
        !NeedsCopy(original.get(), bytes, needed))
        return false;
    original.reset();
    // The copy is made from the file itself, not from what was read of it.
    return !needed || KeepFileCopy(path, path, calls);
}

bool KeepFileCopy(const char* source, const char* path, FileCalls& calls) {
    bool absent = false;
    FileHandle original(calls.OpenForReading(source, absent));
    if (!original) return absent;
    // The first free name; a name that is taken, by whatever, is passed by.
    FileHandle backup;
    for (unsigned number = 1; !backup; ++number) {
        if (number > kMostBackups) return false;
        const std::string backupPath =
            path + (kBackupSuffix + (number > 1 ? std::to_string(number) : std::string()));
        FileHandle taken(calls.OpenForReading(backupPath.c_str(), absent));
        if (taken || !absent) continue;
        // Never written through a link planted under the name.
        backup.reset(calls.CreateNew(backupPath.c_str()));
        if (!backup) return false;
    }
    // In pieces: the copy may be wanted just when memory has run out.
    bool written = true;
    const std::size_t read =
        ReadInPieces(original.get(), SIZE_MAX - 1, [&](const char* piece, std::size_t size) {
            written = written && std::fwrite(piece, 1, size, backup.get()) == size;
        });
    written = written && read != SIZE_MAX && calls.CommitToDisk(backup.get());
    return std::fclose(backup.release()) == 0 && written;
}
