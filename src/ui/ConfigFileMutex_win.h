// The mutex an open Nicset window holds for its configuration file
// (ConfigFileMutex.h), and the test of a command that would write the file.
#pragma once

#include <windows.h>

class ConfigFileMutex {
public:
    // Holds the mutex for `path` as long as this lives; a mutex that cannot
    // be had only leaves commands unwarned.
    explicit ConfigFileMutex(const char* path);
    ~ConfigFileMutex();
    ConfigFileMutex(const ConfigFileMutex&) = delete;
    ConfigFileMutex& operator=(const ConfigFileMutex&) = delete;

private:
    HANDLE mutex_ = nullptr;
};

// Whether a Nicset window, of this user or any other, holds the mutex for
// `path`.
bool ConfigFileHeldByWindow(const char* path);
