// A file Nicset makes nothing of may still be the user's only copy of his
// configurations (saved as "Unicode" by an editor, or damaged). The save that
// would replace it keeps it first.
#include <string>

#include "config/ConfigFile.h"
#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kBackupSuffix[] = ".bak";
// Nicset's own file gives its first configuration within a few hundred
// bytes; this much of it is read first, and usually settles the question
// without reading (and allocating) the whole file.
constexpr std::size_t kFirstPieceBytes = 64u << 10;

}  // namespace

bool KeepUnreadableFile(const char* path, FileCalls& calls) {
    FileHandle original(std::fopen(path, "rb"));
    if (!original) return true;  // nothing there to lose
    std::string bytes;
    // What cannot be read cannot be judged: the save stops rather than risk it.
    if (!ReadWholeFile(original.get(), bytes, kFirstPieceBytes)) return false;
    // One too large to load is not read by a load: the save must not replace
    // it unkept, whatever its first bytes hold.
    if (!HasByteOrderMark(bytes) && StartsWithConfiguration(bytes) &&
        RestIsAtMost(original.get(), kLargestConfigFileBytes - bytes.size()))
        return true;
    if (!ReadWholeFile(original.get(), bytes)) return false;
    original.reset();
    if (bytes.size() <= kLargestConfigFileBytes) {
        DecodeFileText(bytes);
        if (HoldsConfigurationsOrNothing(bytes)) return true;
    }
    // The copy is made from the file itself, not from what was read of it.
    return KeepFileCopy(path, calls);
}

bool KeepFileCopy(const char* path, FileCalls& calls) {
    FileHandle original(std::fopen(path, "rb"));
    if (!original) return false;
    const std::string backupPath = std::string(path) + kBackupSuffix;
    // Never written through a link planted under the name.
    FileHandle backup(CreateFileAfresh(backupPath.c_str(), calls));
    if (!backup) return false;
    // In pieces: the copy may be wanted just when memory has run out.
    char piece[16384];
    bool written = true;
    std::size_t read = 0;
    while (written && (read = std::fread(piece, 1, sizeof piece, original.get())) > 0)
        written = std::fwrite(piece, 1, read, backup.get()) == read;
    written = written && std::ferror(original.get()) == 0 && calls.CommitToDisk(backup.get());
    return std::fclose(backup.release()) == 0 && written;
}
