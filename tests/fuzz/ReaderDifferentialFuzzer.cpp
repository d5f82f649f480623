// Feeds the same bytes to the configuration file reader and to the reader it
// replaced (tests/reference), through the decoding of Unicode files, and
// requires the same records in the same order, and the same verdict on
// whether replacing the file would lose anything.
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
    const std::string text = DecodeFileText(std::string(reinterpret_cast<const char*>(data), size));
    ConfigurationList read;
    ConfigurationList expected;
    ReadConfigurations(text, read);
    reference::ReadConfigurations(text, expected);
    Check(read.Size() == expected.Size());
    // Records are plain bytes, zero-filled past each text: compared whole.
    for (std::size_t index = 0; index < read.Size(); ++index)
        Check(std::memcmp(&read[index], &expected[index], sizeof(Configuration)) == 0);
    Check(HoldsConfigurationsOrNothing(text) == reference::HoldsConfigurationsOrNothing(text));
    return 0;
}
