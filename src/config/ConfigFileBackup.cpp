// A file Nicset makes nothing of may still be the user's only copy of his
// configurations (saved as "Unicode" by an editor, or damaged). The save that
// would replace it keeps it first.
#include <string>

#include "config/ConfigFile.h"
#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kBackupSuffix[] = ".bak";

}  // namespace

bool KeepUnreadableFile(const char* path, FileCalls& calls) {
    FileHandle original(std::fopen(path, "rb"));
    if (!original) return true;  // nothing there to lose
    std::string bytes;
    // What cannot be read cannot be judged: the save stops rather than risk it.
    if (!ReadWholeFile(original.get(), bytes)) return false;
    original.reset();
    // One too large to load was not read: the save must not replace it unkept.
    if (bytes.size() <= kLargestConfigFileBytes &&
        HoldsConfigurationsOrNothing(DecodeFileText(bytes)))
        return true;

    const std::string backupPath = std::string(path) + kBackupSuffix;
    // Never written through a link planted under the name.
    FileHandle backup(CreateFileAfresh(backupPath.c_str(), calls));
    if (!backup) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), backup.get()) == bytes.size() &&
                         calls.CommitToDisk(backup.get());
    return std::fclose(backup.release()) == 0 && written;
}
