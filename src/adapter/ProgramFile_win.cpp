#include "adapter/ProgramFile.h"

#include <windows.h>

#include <vector>

namespace {

// The longest path Windows gives a program ("\\?\" paths included).
constexpr DWORD kLongestPath = 32768;

}  // namespace

bool IsNtFamilyProcess() {
    return (GetVersion() & 0x80000000u) == 0;
}

std::wstring OwnProgramFile() {
    if (!IsNtFamilyProcess()) {
        char path[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0) return std::wstring();
        // A path cut to the buffer may come back without its terminator.
        if (length >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return std::wstring();
        }
        return WidenAnsi(std::string(path, length));
    }
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto moduleFileName = reinterpret_cast<decltype(&::GetModuleFileNameW)>(reinterpret_cast<void*>(
        kernel != nullptr ? GetProcAddress(kernel, "GetModuleFileNameW") : nullptr));
    if (moduleFileName == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return std::wstring();
    }
    // A buffer too small is filled to its end: a longer one is tried.
    for (DWORD size = MAX_PATH + 1;; size *= 2) {
        std::vector<wchar_t> path(size);
        const DWORD length = moduleFileName(nullptr, path.data(), size);
        if (length == 0) return std::wstring();
        if (length < size - 1) return std::wstring(path.data(), length);
        if (size >= kLongestPath) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return std::wstring();
        }
    }
}

std::wstring WidenAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string NarrowToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
}
