#include "config/FileReplace.h"

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Makes a rename durable. Best effort: the rename itself has already happened.
void SyncDirectoryOf(const char* path) {
    std::string directory(path);
    const std::size_t slash = directory.rfind('/');
    directory = slash == std::string::npos ? "." : slash == 0 ? "/" : directory.substr(0, slash);
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

bool CommitFileToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

bool ReplaceFileAtomically(const char* source, const char* target) {
    if (std::rename(source, target) != 0) return false;
    SyncDirectoryOf(target);
    return true;
}
