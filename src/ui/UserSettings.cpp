#include "ui/UserSettings.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr const char kSettingsKey[] = "Software\\Nicset";
constexpr const char kRestartInterface[] = "RestartInterface";
constexpr const char kInterface[] = "Interface";

// Closes itself; nothing of it is copied.
class UserKey {
public:
    explicit UserKey(bool forWriting) {
        char noClass[] = "";
        const LONG status =
            forWriting ? RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, noClass,
                                         REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key_,
                                         nullptr)
                       : RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~UserKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    UserKey(const UserKey&) = delete;
    UserKey& operator=(const UserKey&) = delete;

    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool ReadRestartPreference() {
    UserKey key(false);
    if (key.Handle() == nullptr) return false;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Handle(), kRestartInterface, nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return false;
    return type == REG_DWORD && size == sizeof value && value == 1;
}

void WriteRestartPreference(bool restart) {
    UserKey key(true);
    if (key.Handle() == nullptr) return;
    const DWORD value = restart ? 1 : 0;
    RegSetValueExA(key.Handle(), kRestartInterface, 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::string ReadLastInterface() {
    UserKey key(false);
    if (key.Handle() == nullptr) return std::string();
    char name[256] = {};
    DWORD type = 0;
    // One byte short of the buffer, so that the name always ends in a zero.
    DWORD size = sizeof name - 1;
    if (RegQueryValueExA(key.Handle(), kInterface, nullptr, &type, reinterpret_cast<BYTE*>(name),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string();
    return name;
}

void WriteLastInterface(const char* name) {
    UserKey key(true);
    if (key.Handle() == nullptr) return;
    RegSetValueExA(key.Handle(), kInterface, 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>(std::strlen(name) + 1));
}
