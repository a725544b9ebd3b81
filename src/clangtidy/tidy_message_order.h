#pragma once

#include <vector>

#include "clangtidy/tidy_message.h"

namespace qz {

// Orders by file, then line, then check, then summary (texts byte by byte).
// The column is no sort key.
bool tidy_message_less(const TidyMessage& a, const TidyMessage& b);

// Same file, line, column, check and text; the summary is not compared.
bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b);

// Sorts stably by tidy_message_less, so that messages that compare equal keep
// their input order, then drops every message equal to the one kept before it.
void sort_and_remove_duplicates(std::vector<TidyMessage>& messages);

}  // namespace qz
