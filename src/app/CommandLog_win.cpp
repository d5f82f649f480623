#include "app/CommandLog.h"

#include <windows.h>

#include <cstdio>

#include "app/AdminCommands.h"

namespace {

constexpr DWORD kRetryForMs = 2000;
constexpr DWORD kRetryEveryMs = 100;
// Every "98" writer locks this one byte, far past any log's end, around its
// seek and write: a byte at the end itself would move with every line.
constexpr DWORD kGateOffset = 0xFFFFFFF0u;

bool Busy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

CommandLog::~CommandLog() {
    if (file_ != nullptr) CloseHandle(static_cast<HANDLE>(file_));
}

bool CommandLog::Open(const char* path, bool family98) {
    // Appending alone: Windows puts each write at the end, whoever else
    // appends meanwhile. The "98" family lacks that access right.
    const DWORD access = family98 ? GENERIC_WRITE : FILE_APPEND_DATA;
    const DWORD started = GetTickCount();
    for (;;) {
        HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            file_ = file;
            lockEnd_ = family98;
            return true;
        }
        if (!Busy(GetLastError()) || GetTickCount() - started >= kRetryForMs) return false;
        Sleep(kRetryEveryMs);
    }
}

bool CommandLog::Append(const std::string& line) {
    if (file_ == nullptr) return false;
    HANDLE file = static_cast<HANDLE>(file_);
    const DWORD size = static_cast<DWORD>(line.size());
    DWORD written = 0;
    if (!lockEnd_) return WriteFile(file, line.data(), size, &written, nullptr) && written == size;

    const DWORD started = GetTickCount();
    while (!LockFile(file, kGateOffset, 0, 1, 0)) {
        if (!Busy(GetLastError()) || GetTickCount() - started >= kRetryForMs) return false;
        Sleep(kRetryEveryMs);
    }
    const bool done = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                      WriteFile(file, line.data(), size, &written, nullptr) && written == size;
    UnlockFile(file, kGateOffset, 0, 1, 0);
    return done;
}

void FillMachineFields(LogRecord& record) {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char time[32];
    std::snprintf(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    record.time = time;

    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD computerSize = sizeof computer;
    if (GetComputerNameA(computer, &computerSize)) record.computer = computer;
    // UNLEN, 256 characters, and the terminator.
    char user[257] = {};
    DWORD userSize = sizeof user;
    if (GetUserNameA(user, &userSize)) record.user = user;
}
