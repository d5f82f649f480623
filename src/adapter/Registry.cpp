#include "adapter/Registry.h"

#include <utility>

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)),
      handle_(std::exchange(other.handle_, nullptr)),
      accessDenied_(std::exchange(other.accessDenied_, false)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        registry_ = std::exchange(other.registry_, nullptr);
        handle_ = std::exchange(other.handle_, nullptr);
        accessDenied_ = std::exchange(other.accessDenied_, false);
    }
    return *this;
}

void RegistryKey::Close() {
    if (handle_ != nullptr) registry_->CloseKey(handle_);
    registry_ = nullptr;
    handle_ = nullptr;
    accessDenied_ = false;
}

std::string ReadTextValue(Registry& registry, const RegistryKey& key, const char* name,
                          std::uint32_t byteLimit) {
    // One spare zero byte terminates a value that fills the limit.
    std::string buffer(std::size_t{byteLimit} + 1, '\0');
    if (!registry.QueryValue(key, name, &buffer[0], byteLimit, nullptr, nullptr)) return {};
    buffer.resize(buffer.find('\0'));
    return buffer;
}
