// The configuration file reader as it was before it was made fast: one
// checked byte at a time through a cursor. Kept only as the reference the
// differential fuzz target holds the product's reader to.
#pragma once

#include <string>

#include "config/ConfigurationList.h"

namespace reference {

void ReadConfigurations(const std::string& text, ConfigurationList& list);
bool HoldsConfigurationsOrNothing(const std::string& text);

}  // namespace reference
