// Feeds arbitrary bytes to the configuration file reader. Besides the
// sanitizers' checks: every text read ends inside its field, and the records
// read, written and read again come back the same.
#include "config/ConfigFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

ConfigurationList Read(const void* data, std::size_t size) {
    ConfigurationList list;
    // fmemopen takes no empty buffer on every C library; an empty file gives nothing anyway.
    if (size == 0) return list;
    std::FILE* file = fmemopen(const_cast<void*>(data), size, "rb");
    Check(file != nullptr);
    ReadConfigurations(file, list);
    std::fclose(file);
    return list;
}

bool TextEndsInField(const char (&text)[kTextFieldSize]) {
    return std::memchr(text, '\0', kTextFieldSize) != nullptr;
}

bool SameRecord(const Configuration& a, const Configuration& b) {
    return std::strcmp(a.name, b.name) == 0 && a.dhcpEnabled == b.dhcpEnabled &&
           std::strcmp(a.ipAddress, b.ipAddress) == 0 &&
           std::strcmp(a.macAddress, b.macAddress) == 0 && std::strcmp(a.mask, b.mask) == 0 &&
           std::strcmp(a.gateway, b.gateway) == 0 && std::strcmp(a.dns1, b.dns1) == 0 &&
           std::strcmp(a.dns2, b.dns2) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ConfigurationList first = Read(data, size);
    for (const Configuration& record : first) {
        Check(TextEndsInField(record.name) && TextEndsInField(record.ipAddress) &&
              TextEndsInField(record.macAddress) && TextEndsInField(record.mask) &&
              TextEndsInField(record.gateway) && TextEndsInField(record.dns1) &&
              TextEndsInField(record.dns2));
        Check(record.dhcpEnabled <= 1);
    }

    char* written = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&written, &length);
    Check(out != nullptr);
    Check(WriteConfigurations(out, first));
    std::fclose(out);
    const ConfigurationList second = Read(written, length);
    std::free(written);

    Check(second.Size() == first.Size());
    for (std::size_t index = 0; index < first.Size(); ++index) {
        Check(SameRecord(first[index], second[index]));
    }
    return 0;
}
