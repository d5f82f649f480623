// The log that /log names: one line appended per command, by many machines
// into one file on a share if need be.
#pragma once

#include <string>

struct LogRecord;

class CommandLog {
public:
    CommandLog() = default;
    ~CommandLog();
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

    // Opens `path` as given (a relative one in the working folder), creating
    // it when missing. A sharing violation is tried again for about 2
    // seconds: someone viewing the log must not stop a rollout. False when
    // it cannot be opened.
    bool Open(const char* path, bool family98);

    // Appends `line` in one write; false when it was not written whole.
    bool Append(const std::string& line);

private:
    void* file_ = nullptr;  // a HANDLE; null when not open
    bool lockEnd_ = false;  // the "98" family: append by seek and write under a lock
};

// The local time, the computer name and the user name of a log line; a name
// that cannot be had stays empty.
void FillMachineFields(LogRecord& record);
