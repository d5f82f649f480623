#include "ui/UserSettings.h"

#include <windows.h>

namespace {

constexpr const char kSettingsKey[] = "Software\\Nicset";
constexpr const char kRestartInterface[] = "RestartInterface";

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
