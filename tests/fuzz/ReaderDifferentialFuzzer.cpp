// Feeds the same bytes to the configuration file reader and to the reader it
// replaced (tests/reference), through the decoding of Unicode files, and
// requires the same records in the same order, and the same verdict on
// whether replacing the file would lose anything; and that a configuration
// found in a file's first bytes is found in the whole file.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ReferenceReader.h"
#include "config/ConfigFile.h"
#include "config/FileText.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text = bytes;
    const bool asItStands = DecodeFileText(text, AnsiCodePage()) == TextEncoding::kAnsi;
    ConfigurationList read;
    ConfigurationList expected;
    ReadConfigurations(text, read);
    reference::ReadConfigurations(text, expected);
    Check(read.Size() == expected.Size());
    // Records are plain bytes, zero-filled past each text: compared whole.
    for (std::size_t index = 0; index < read.Size(); ++index)
        Check(std::memcmp(&read[index], &expected[index], sizeof(Configuration)) == 0);
    const bool holds = HoldsConfigurationsOrNothing(text);
    Check(holds == reference::HoldsConfigurationsOrNothing(text));
    // What the first bytes of a file settle, the whole file confirms.
    if (asItStands && size > 0) {
        const std::size_t cut = (data[0] | std::size_t{data[size - 1]} << 8) % (size + 1);
        if (StartsWithConfiguration(bytes.substr(0, cut))) Check(holds && read.Size() > 0);
    }
    return 0;
}
