// The name of the mutex that an open Nicset window holds for its
// configuration file, so that a command which would write the file can tell
// that the window will overwrite it when it closes. Platform-free.
#pragma once

#include <cstdint>
#include <string>

// The 32-bit FNV-1a hash of `bytes`.
std::uint32_t Fnv1aHash(const std::string& bytes);

// "Nicset.conf." and the 8 hexadecimal digits (capitals) of the hash of the
// file's full path in capitals: a mutex name may hold no backslash. With
// "Global\" before it where `global` (Windows 2000 and later), so that a
// script running as SYSTEM sees a user's window.
std::string ConfigFileMutexName(const std::string& fullPathInCapitals, bool global);

// Whether Windows with this GetVersion word takes the "Global\" prefix.
bool TakesGlobalPrefix(std::uint32_t versionWord);
