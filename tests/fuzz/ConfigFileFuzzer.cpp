// Feeds arbitrary bytes to the configuration file reader, through the
// decoding of Unicode files on a code page the first byte picks. Besides the
// sanitizers' checks: every text read ends inside its field, the records
// read, written and read again as they stand come back the same, and a file
// that yields records is never one to keep as a copy for what it holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/ConfigFile.h"
#include "config/FileText.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr unsigned kCodePages[] = {1252, kUtf8CodePage, 932};

// `codePage` 0 reads the text as it stands. (Nicset's own text can be valid
// UTF-8 by chance, and is then read as UTF-8.)
ConfigurationList Read(const void* data, std::size_t size, unsigned codePage) {
    ConfigurationList list;
    std::string text(static_cast<const char*>(data), size);
    if (codePage != 0) DecodeFileText(text, codePage);
    ReadConfigurations(text, list);
    Check(list.Size() == 0 || HoldsConfigurationsOrNothing(text));
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
    const ConfigurationList first = Read(data, size, kCodePages[size > 0 ? data[0] % 3 : 0]);
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
    const ConfigurationList second = Read(written, length, 0);
    std::free(written);

    Check(second.Size() == first.Size());
    for (std::size_t index = 0; index < first.Size(); ++index) {
        Check(SameRecord(first[index], second[index]));
    }
    return 0;
}
