#include "config/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

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

std::FILE* FileCalls::CreateNew(const char* path) {
    // O_EXCL fails on any entry of the name, a link (even a dangling one) included.
    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (descriptor < 0) return nullptr;
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) ::close(descriptor);
    return file;
}

bool FileCalls::RemoveEntry(const char* path) {
    return ::unlink(path) == 0;
}

bool FileCalls::CommitToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

ReplaceOutcome FileCalls::ReplaceAtomically(const char* source, const char* target) {
    if (std::rename(source, target) != 0) return ReplaceOutcome::kFailed;
    SyncDirectoryOf(target);
    return ReplaceOutcome::kReplaced;
}

bool FileCalls::Move(const char* source, const char* target) {
    // A second name and then the first one gone: link() refuses an existing
    // target, where rename() would replace it.
    if (::link(source, target) != 0) return false;
    if (::unlink(source) == 0) return true;
    ::unlink(target);
    return false;
}

bool FileCalls::ListFolder(const char* path, const std::function<void(const std::string&)>& take) {
    const char* slash = std::strrchr(path, '/');
    const std::string folder(path, slash ? static_cast<std::size_t>(slash - path) + 1 : 0);
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        ::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!listing) return false;
    for (;;) {
        // readdir() tells an error from the end only through errno.
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (!entry) return errno == 0;
        const std::string name = entry->d_name;
        if (name != "." && name != "..") take(folder + name);
    }
}
