#include "config/FileReplace.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

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
