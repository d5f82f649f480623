// The Windows registry behind the seam: the ANSI Reg*A calls, below
// HKEY_LOCAL_MACHINE.
#pragma once

#include "adapter/Registry.h"

class Win32Registry : public Registry {
public:
    RegistryKey CreateKey(const char* path) override;
    RegistryKey OpenKeyForReading(const char* path) override;
    RegistryKey OpenSubkeyForReading(const RegistryKey& parent, const char* name) override;
    std::uint32_t CountSubkeys(const RegistryKey& key) override;
    bool EnumerateSubkey(const RegistryKey& key, std::uint32_t index, char* name,
                         std::uint32_t capacity) override;
    bool ValueExists(const RegistryKey& key, const char* name) override;
    bool QueryValue(const RegistryKey& key, const char* name, void* buffer, std::uint32_t byteLimit,
                    std::uint32_t* type, std::uint32_t* length) override;
    ValueRead ReadWholeValue(const RegistryKey& key, const char* name,
                             RegistryValue& value) override;
    bool SetValue(const RegistryKey& key, const char* name, std::uint32_t type, const void* data,
                  std::uint32_t length) override;
    bool DeleteValue(const RegistryKey& key, const char* name) override;

protected:
    void CloseKey(void* handle) override;
};
