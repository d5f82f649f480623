// AttachConsole is declared for Windows XP and later only; it is looked up
// at run time, so the program itself still runs on older ones.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501

#include "app/CommandOutput.h"

#include <windows.h>

#include <vector>

namespace {

// A disk file, a pipe, or a character device that is no console (NUL).
bool IsGivenOutput(HANDLE output) {
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
    switch (GetFileType(output)) {
        case FILE_TYPE_DISK:
        case FILE_TYPE_PIPE:
            return true;
        case FILE_TYPE_CHAR: {
            DWORD mode = 0;
            return GetConsoleMode(output, &mode) == FALSE;
        }
        default:
            return false;
    }
}

void WriteAll(HANDLE output, const std::string& text) {
    DWORD written = 0;
    if (!text.empty())
        WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Written as UTF-16, so that an accented name comes out right whatever the
// console's (OEM) code page.
void WriteToConsole(HANDLE console, const std::string& text) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto writeConsole = reinterpret_cast<decltype(&::WriteConsoleW)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "WriteConsoleW")));
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (writeConsole == nullptr || length <= 0) return;
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    DWORD written = 0;
    writeConsole(console, wide.data(), static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

CommandOutput::CommandOutput() {
    // A handle that merely came along from a parent, without the flag, is
    // not the caller's.
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    toStandardOutput_ = (startup.dwFlags & STARTF_USESTDHANDLES) != 0 &&
                        IsGivenOutput(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool CommandOutput::Write(const std::string& text) {
    if (toStandardOutput_) {
        WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), text);
        return true;
    }
    // Attached only now: a Ctrl+C or a closed console would end an attached
    // process, in the middle of an Apply. The "98" family has no such call.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto attach = reinterpret_cast<decltype(&::AttachConsole)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "AttachConsole")));
    if (attach == nullptr || !attach(ATTACH_PARENT_PROCESS)) return false;
    HANDLE console =
        CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return true;
    WriteToConsole(console, text);
    CloseHandle(console);
    return true;
}
