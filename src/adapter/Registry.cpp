#include "adapter/Registry.h"

#include <utility>

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)),
      handle_(std::exchange(other.handle_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        registry_ = std::exchange(other.registry_, nullptr);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void RegistryKey::Close() {
    if (handle_ != nullptr) registry_->CloseKey(handle_);
    registry_ = nullptr;
    handle_ = nullptr;
}
