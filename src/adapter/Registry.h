// The registry operations the adapter logic needs, below HKEY_LOCAL_MACHINE,
// and nothing more. Two backends: the Windows registry, and an in-memory
// stand-in for the unit tests (tests/unit). Both keep the same contract
// (case-insensitive names, a trailing backslash names the same key, a query that
// does not fit copies nothing, values keep their type and exact bytes).
#pragma once

#include <cstdint>
#include <string>

// Value types by number, as the network stack reads them.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

class Registry;

// A value as the registry holds it: its type and its exact bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;
};

// What reading a whole value found.
enum class ValueRead {
    kPresent,     // the value exists; its type and bytes were read
    kAbsent,      // there is no value of that name
    kUnreadable,  // it could not be read (no key, no memory, or another error)
};

// An open key that closes itself. Move-only, so no key is ever closed twice.
// A default-constructed key is not open; every operation on it fails.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    // A key not open because its opening was refused for lack of rights, which
    // the user can remedy, unlike any other failure.
    bool AccessDenied() const { return accessDenied_; }
    void* Handle() const { return handle_; }
    void Close();

private:
    friend class Registry;
    RegistryKey(Registry* registry, void* handle) : registry_(registry), handle_(handle) {}

    Registry* registry_ = nullptr;
    void* handle_ = nullptr;
    bool accessDenied_ = false;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens `path` below HKEY_LOCAL_MACHINE with full access, creating every
    // missing key on the way. The result is not open when that fails, and
    // says AccessDenied() when rights were missing.
    virtual RegistryKey CreateKey(const char* path) = 0;
    // Opens the existing key `path` below HKEY_LOCAL_MACHINE for reading only,
    // which needs no administrator rights; creates nothing.
    virtual RegistryKey OpenKeyForReading(const char* path) = 0;
    // Opens an existing subkey of `parent` for reading only; creates nothing.
    virtual RegistryKey OpenSubkeyForReading(const RegistryKey& parent, const char* name) = 0;
    // The number of direct subkeys; 0 when it cannot be had.
    virtual std::uint32_t CountSubkeys(const RegistryKey& key) = 0;
    // The name of subkey number `index`, zero-terminated. Fails, copying
    // nothing, when the name and its terminator need more than `capacity`.
    virtual bool EnumerateSubkey(const RegistryKey& key, std::uint32_t index, char* name,
                                 std::uint32_t capacity) = 0;
    virtual bool ValueExists(const RegistryKey& key, const char* name) = 0;
    // Copies the value's bytes into `buffer` when they fit `byteLimit`, and
    // reports its type and byte count (either may be null). When they do not
    // fit it fails; callers must not trust the buffer then.
    virtual bool QueryValue(const RegistryKey& key, const char* name, void* buffer,
                            std::uint32_t byteLimit, std::uint32_t* type,
                            std::uint32_t* length) = 0;
    // Reads the value whole, whatever its size, so that it can be written back
    // exactly as it was.
    virtual ValueRead ReadWholeValue(const RegistryKey& key, const char* name,
                                     RegistryValue& value) = 0;
    // Stores exactly `length` bytes of `data`, whatever the type.
    virtual bool SetValue(const RegistryKey& key, const char* name, std::uint32_t type,
                          const void* data, std::uint32_t length) = 0;
    // Fails when the value does not exist.
    virtual bool DeleteValue(const RegistryKey& key, const char* name) = 0;

protected:
    RegistryKey MakeKey(void* handle) { return RegistryKey(this, handle); }
    static RegistryKey DeniedKey() {
        RegistryKey key;
        key.accessDenied_ = true;
        return key;
    }
    virtual void CloseKey(void* handle) = 0;

private:
    friend class RegistryKey;
};

// A text value the way the network stack keeps it: up to its first zero
// byte. Empty when the value is absent or larger than `byteLimit`: a failed
// query's buffer is never used, since Windows may have scribbled on it.
std::string ReadTextValue(Registry& registry, const RegistryKey& key, const char* name,
                          std::uint32_t byteLimit);
