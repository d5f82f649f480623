#include "adapter/SystemLibrary.h"

#include <windows.h>

#include <string>

namespace {

// The error code of a call that failed, preceded by SetLastError(0).
DWORD LastFailure() {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

}  // namespace

void* LoadSystemLibrary(const char* name, std::uint32_t& error) {
    char path[MAX_PATH];
    SetLastError(0);
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::string(name).size() >= MAX_PATH) {
        error = length == 0 ? LastFailure() : ERROR_FILENAME_EXCED_RANGE;
        return nullptr;
    }
    const std::string full = std::string(path, length) + "\\" + name;
    SetLastError(0);
    const HMODULE library = LoadLibraryA(full.c_str());
    error = library != nullptr ? 0 : LastFailure();
    return library;
}

void FreeSystemLibrary(void* library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

void* LibraryFunction(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
