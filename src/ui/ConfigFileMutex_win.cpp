#include "ui/ConfigFileMutex_win.h"

#include <string>
#include <vector>

#include "ui/ConfigFileMutex.h"

namespace {

std::string MutexNameFor(const char* path) {
    std::vector<char> full(MAX_PATH);
    DWORD length = GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    std::string capitals =
        length > 0 && length < full.size() ? std::string(full.data(), length) : std::string(path);
    if (!capitals.empty()) CharUpperBuffA(&capitals[0], static_cast<DWORD>(capitals.size()));
    return ConfigFileMutexName(capitals, TakesGlobalPrefix(GetVersion()));
}

}  // namespace

ConfigFileMutex::ConfigFileMutex(const char* path)
    : mutex_(CreateMutexA(nullptr, FALSE, MutexNameFor(path).c_str())) {}

ConfigFileMutex::~ConfigFileMutex() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool ConfigFileHeldByWindow(const char* path) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, MutexNameFor(path).c_str());
    if (mutex != nullptr) {
        CloseHandle(mutex);
        return true;
    }
    // Another user's window, whose mutex this user may not open.
    return GetLastError() == ERROR_ACCESS_DENIED;
}
