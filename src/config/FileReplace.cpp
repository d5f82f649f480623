#include "config/FileReplace.h"

#include <cerrno>
#include <string>

std::FILE* FileCalls::OpenForReading(const char* path, bool& absent) {
    errno = 0;
    std::FILE* file = std::fopen(path, "rb");
    // Both C libraries say ENOENT for a missing file or folder, and only then.
    absent = !file && errno == ENOENT;
    return file;
}

std::FILE* CreateFileAfresh(const char* path, FileCalls& calls) {
    std::FILE* file = calls.CreateNew(path);
    if (!file && calls.RemoveEntry(path)) file = calls.CreateNew(path);
    return file;
}

namespace {

// The "98" family has no one-step replace: three moves do it there.
bool ReplaceByMovingAside(const char* source, const char* target, FileCalls& calls) {
    if (calls.Move(source, target)) return true;  // there was no old file

    const std::string aside = std::string(target) + kAsideSuffix;
    if (!calls.Move(target, aside.c_str())) {
        // The name may be left from a save that was cut off halfway; the
        // current file supersedes it.
        if (!calls.RemoveEntry(aside.c_str()) || !calls.Move(target, aside.c_str())) return false;
    }
    if (!calls.Move(source, target)) {
        calls.Move(aside.c_str(), target);
        return false;
    }
    // The new file is in place; an old copy that cannot be deleted does no harm.
    calls.RemoveEntry(aside.c_str());
    return true;
}

}  // namespace

bool ReplaceFile(const char* source, const char* target, FileCalls& calls) {
    switch (calls.ReplaceAtomically(source, target)) {
        case ReplaceOutcome::kReplaced:
            return true;
        case ReplaceOutcome::kFailed:
            return false;
        case ReplaceOutcome::kNotImplemented:
            break;
    }
    return ReplaceByMovingAside(source, target, calls);
}
