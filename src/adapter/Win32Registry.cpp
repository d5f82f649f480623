#include "adapter/Win32Registry.h"

#include <windows.h>

#include <new>
#include <string>

// A key that is not open fails every call without asking Windows.

namespace {

HKEY AsHkey(const RegistryKey& key) {
    return static_cast<HKEY>(key.Handle());
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A value that keeps growing while it is read is given up after this many tries.
constexpr int kReadTries = 8;

}  // namespace

RegistryKey Win32Registry::CreateKey(const char* path) {
    char noClass[] = "";
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG status =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, noClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (status == ERROR_ACCESS_DENIED) return DeniedKey();
    return status == ERROR_SUCCESS ? MakeKey(key) : RegistryKey();
}

RegistryKey Win32Registry::OpenKeyForReading(const char* path) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key);
    return status == ERROR_SUCCESS ? MakeKey(key) : RegistryKey();
}

RegistryKey Win32Registry::OpenSubkeyForReading(const RegistryKey& parent, const char* name) {
    if (!parent.IsOpen()) return RegistryKey();
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(AsHkey(parent), name, 0, KEY_READ, &key);
    return status == ERROR_SUCCESS ? MakeKey(key) : RegistryKey();
}

std::uint32_t Win32Registry::CountSubkeys(const RegistryKey& key) {
    if (!key.IsOpen()) return 0;
    DWORD count = 0;
    const LONG status = RegQueryInfoKeyA(AsHkey(key), nullptr, nullptr, nullptr, &count, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    return status == ERROR_SUCCESS ? count : 0;
}

bool Win32Registry::EnumerateSubkey(const RegistryKey& key, std::uint32_t index, char* name,
                                    std::uint32_t capacity) {
    if (!key.IsOpen()) return false;
    DWORD characters = capacity;
    return RegEnumKeyExA(AsHkey(key), index, name, &characters, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS;
}

bool Win32Registry::ValueExists(const RegistryKey& key, const char* name) {
    if (!key.IsOpen()) return false;
    return RegQueryValueExA(AsHkey(key), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Win32Registry::QueryValue(const RegistryKey& key, const char* name, void* buffer,
                               std::uint32_t byteLimit, std::uint32_t* type,
                               std::uint32_t* length) {
    if (!key.IsOpen()) return false;
    DWORD valueType = 0;
    DWORD bytes = byteLimit;
    const LONG status = RegQueryValueExA(AsHkey(key), name, nullptr, &valueType,
                                         static_cast<BYTE*>(buffer), &bytes);
    if (status != ERROR_SUCCESS) return false;
    if (type != nullptr) *type = valueType;
    if (length != nullptr) *length = bytes;
    return true;
}

ValueRead Win32Registry::ReadWholeValue(const RegistryKey& key, const char* name,
                                        RegistryValue& value) {
    if (!key.IsOpen()) return ValueRead::kUnreadable;
    for (int attempt = 0; attempt < kReadTries; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegQueryValueExA(AsHkey(key), name, nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) return ValueRead::kAbsent;
        if (status != ERROR_SUCCESS) return ValueRead::kUnreadable;
        try {
            value.data.assign(size, '\0');
        } catch (const std::bad_alloc&) {
            return ValueRead::kUnreadable;
        }
        // The size asked first may be more than the bytes an ANSI read gives.
        BYTE none = 0;
        BYTE* bytes = size > 0 ? reinterpret_cast<BYTE*>(&value.data[0]) : &none;
        status = RegQueryValueExA(AsHkey(key), name, nullptr, &type, bytes, &size);
        if (status == ERROR_MORE_DATA) continue;  // it grew in between
        if (status == ERROR_FILE_NOT_FOUND) return ValueRead::kAbsent;
        if (status != ERROR_SUCCESS) return ValueRead::kUnreadable;
        value.data.resize(size);
        value.type = type;
        return ValueRead::kPresent;
    }
    return ValueRead::kUnreadable;
}

bool Win32Registry::SetValue(const RegistryKey& key, const char* name, std::uint32_t type,
                             const void* data, std::uint32_t length) {
    if (!key.IsOpen()) return false;
    const auto* bytes = static_cast<const BYTE*>(data);
    // Windows counts in a terminator that directly follows a string whose
    // last byte is not one, reading past the given length. A copy with a
    // non-zero byte there keeps the value at exactly the bytes given.
    if (IsStringType(type) && length > 0 && bytes[length - 1] != 0) {
        std::string guarded;
        try {
            guarded.assign(reinterpret_cast<const char*>(bytes), length);
            guarded += '\x01';
        } catch (const std::bad_alloc&) {
            return false;
        }
        return RegSetValueExA(AsHkey(key), name, 0, type,
                              reinterpret_cast<const BYTE*>(guarded.data()),
                              length) == ERROR_SUCCESS;
    }
    return RegSetValueExA(AsHkey(key), name, 0, type, bytes, length) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(const RegistryKey& key, const char* name) {
    if (!key.IsOpen()) return false;
    return RegDeleteValueA(AsHkey(key), name) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(void* handle) {
    RegCloseKey(static_cast<HKEY>(handle));
}
