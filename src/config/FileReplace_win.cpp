#include "config/FileReplace.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <memory>

#include "common/LeadBytes.h"

std::FILE* FileCalls::CreateNew(const char* path) {
    // CREATE_NEW fails on any entry of the name, a link included.
    const HANDLE handle =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file) _close(descriptor);  // closes the handle too
    return file;
}

bool FileCalls::RemoveEntry(const char* path) {
    // DeleteFileA removes a symbolic link itself, not its target.
    return DeleteFileA(path) != 0;
}

bool FileCalls::CommitToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

ReplaceOutcome FileCalls::ReplaceAtomically(const char* source, const char* target) {
    if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ReplaceOutcome::kReplaced;
    // Windows 95, 98 and Me export MoveFileExA but do not implement it.
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? ReplaceOutcome::kNotImplemented
                                                        : ReplaceOutcome::kFailed;
}

bool FileCalls::Move(const char* source, const char* target) {
    return MoveFileA(source, target) != 0;
}

bool FileCalls::ListFolder(const char* path, const std::function<void(const std::string&)>& take) {
    // The folder part ends at the last separator; a double-byte character's
    // second half may be a backslash byte, so the walk steps over it.
    const UINT codePage = GetACP();
    std::size_t folderLength = 0;
    for (std::size_t at = 0; path[at] != '\0'; ++at) {
        if (IsLeadByte(codePage, static_cast<unsigned char>(path[at]))) {
            if (path[++at] == '\0') break;
        } else if (path[at] == '\\' || path[at] == '/' || path[at] == ':') {
            folderLength = at + 1;
        }
    }
    const std::string folder(path, folderLength);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // No entry at all (a drive's root folder has no "." and ".."); the
        // "98" family may say it with the other code.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    const std::unique_ptr<void, decltype(&FindClose)> closer(search, FindClose);
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") take(folder + name);
    } while (FindNextFileA(search, &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}
