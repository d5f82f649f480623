// A file Nicset makes nothing of, or reads only through a conversion, may
// still be the user's only copy of his configurations (saved as "Unicode" by
// an editor, or damaged). The save that would replace it keeps it first, as
// it keeps the newer file a save cut off halfway may have left. Each copy
// takes the next number, so the highest is the newest.
#include <functional>
#include <new>
#include <string>

#include "common/AsciiCase.h"
#include "config/ConfigFile.h"
#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kBackupSuffix[] = ".bak";
// Nicset's own file gives its first configuration within a few hundred
// bytes; this much of it is read first, and usually spares holding the
// whole file: the rest is only looked through.
constexpr std::size_t kFirstPieceBytes = 64u << 10;

// The number that the folder entry `entry` gives a copy, in decimal; "" for
// a name that is no copy's. `stem` is the file's name and ".bak", which is
// itself copy 1; `stem` and N is copy N, for N from 2 up without leading
// zeros. Letter case aside, as Windows compares names.
std::string CopyNumber(const std::string& entry, const std::string& stem) {
    if (entry.size() < stem.size() ||
        !EqualIgnoringAsciiCase(entry.substr(0, stem.size()).c_str(), stem.c_str()))
        return "";
    const std::string digits = entry.substr(stem.size());
    if (digits.empty()) return "1";
    if (digits[0] == '0' || digits == "1" ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return "";
    return digits;
}

// Decimal numbers without leading zeros, of any length: no name is too
// large to count, or to count past.
bool IsLarger(const std::string& number, const std::string& than) {
    return number.size() != than.size() ? number.size() > than.size() : number > than;
}

std::string Following(std::string number) {
    std::size_t at = number.size();
    while (at > 0 && number[at - 1] == '9')
        number[--at] = '0';
    if (at == 0) return '1' + number;
    ++number[at - 1];
    return number;
}

// The next copy of `path` takes the number past the highest there, never
// one in a gap below it: the highest number is the newest copy. False when
// the folder cannot be listed.
bool NextCopyName(const char* path, FileCalls& calls, std::string& name) {
    const std::string stem = std::string(path) + kBackupSuffix;
    std::string highest;
    const bool listed = calls.ListFolder(path, [&](const std::string& entry) {
        const std::string number = CopyNumber(entry, stem);
        if (!number.empty() && IsLarger(number, highest)) highest = number;
    });
    if (!listed) return false;
    name = highest.empty() ? stem : stem + Following(highest);
    return true;
}

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
    std::string backupPath;
    if (!NextCopyName(path, calls, backupPath)) return false;
    FileHandle backup;
    bool written = true;
    // Made before the copy exists: nothing after it allocates, so a copy
    // begun is always finished or removed.
    const std::function<void(const char*, std::size_t)> append = [&](const char* piece,
                                                                     std::size_t size) {
        written = written && std::fwrite(piece, 1, size, backup.get()) == size;
    };
    // Never written through a link planted under the name.
    backup.reset(calls.CreateNew(backupPath.c_str()));
    if (!backup) return false;
    // In pieces: the copy may be wanted just when memory has run out.
    const std::size_t read = ReadInPieces(original.get(), SIZE_MAX - 1, append);
    written = written && read != SIZE_MAX && calls.CommitToDisk(backup.get());
    written = std::fclose(backup.release()) == 0 && written;
    // A broken copy under the highest number would pass for the newest.
    if (!written) calls.RemoveEntry(backupPath.c_str());
    return written;
}

bool MoveToNextCopy(const char* source, const char* path, FileCalls& calls) {
    std::string backupPath;
    return NextCopyName(path, calls, backupPath) && calls.Move(source, backupPath.c_str());
}

bool KeepLeftoverTemporary(const char* leftover, const char* path, FileCalls& calls) {
    bool absent = false;
    FileHandle file(calls.OpenForReading(leftover, absent));
    if (!file) return true;
    // Nicset's own file settles it within its first piece; what cannot be
    // judged is kept.
    bool holds = true;
    try {
        std::string bytes;
        if (!ReadWholeFile(file.get(), bytes, kFirstPieceBytes)) return true;
        if (!StartsWithConfiguration(bytes)) {
            if (!ReadWholeFile(file.get(), bytes, kLargestConfigFileBytes - bytes.size()))
                return true;
            holds = bytes.size() > kLargestConfigFileBytes || YieldsConfiguration(bytes);
        }
    } catch (const std::bad_alloc&) {
    }
    file.reset();
    return !holds || MoveToNextCopy(leftover, path, calls) || KeepFileCopy(leftover, path, calls);
}
