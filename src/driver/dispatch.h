#pragma once

#include <string_view>

#include "driver/run_settings.h"

namespace qz {

// An importer reads settings.input and writes settings.output. It returns
// false when its output could not be written completely.
using Importer = bool (*)(const RunSettings& settings);

// The importer registered under exactly this parser type (same bytes, same
// case), or nullptr.
Importer find_importer(std::string_view parser_type);

}  // namespace qz
