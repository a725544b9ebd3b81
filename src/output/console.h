#pragma once

#include <string_view>

namespace qz {

// Writes one message line to standard output and flushes it, so that the
// messages keep their order with the echoed script.
void print_line(std::string_view text);

}  // namespace qz
