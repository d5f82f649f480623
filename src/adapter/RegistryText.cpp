#include "adapter/RegistryText.h"

std::string ReadTextValue(Registry& registry, const RegistryKey& key, const char* name,
                          std::uint32_t byteLimit) {
    // One spare zero byte terminates a value that fills the limit.
    std::string buffer(std::size_t{byteLimit} + 1, '\0');
    if (!registry.QueryValue(key, name, &buffer[0], byteLimit, nullptr, nullptr)) return {};
    buffer.resize(buffer.find('\0'));
    return buffer;
}

bool WriteFixedText(Registry& registry, const RegistryKey& key, const char* name,
                    std::uint32_t type, const std::string& text, std::uint32_t length) {
    std::string data = text.substr(0, length);
    data.resize(length, '\0');
    return registry.SetValue(key, name, type, data.data(), length);
}
