// Text values read and written the way the network stack keeps them.
#pragma once

#include "adapter/Registry.h"

#include <cstdint>
#include <string>

// The value as text, up to its first zero byte. Empty when the value is
// absent or larger than `byteLimit`: a failed query's buffer is never used,
// since Windows may have scribbled on it.
std::string ReadTextValue(Registry& registry, const RegistryKey& key, const char* name,
                          std::uint32_t byteLimit);

// Writes `text` and zero bytes up to exactly `length` bytes. The caller has
// made sure that the text leaves room for at least one zero byte.
bool WriteFixedText(Registry& registry, const RegistryKey& key, const char* name,
                    std::uint32_t type, const std::string& text, std::uint32_t length);
