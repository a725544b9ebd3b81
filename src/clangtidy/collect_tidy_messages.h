#pragma once

#include <vector>

#include "clangtidy/tidy_message.h"
#include "input/line_reader.h"

namespace qz {

// Reads the whole input, cuts it into messages, keeps those that parse, sorts
// them and drops duplicates. Returns true when at least one message was kept;
// otherwise prints why on the console and returns false.
bool collect_tidy_messages(LineReader& input, std::vector<TidyMessage>& messages);

}  // namespace qz
