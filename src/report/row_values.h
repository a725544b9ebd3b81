#pragma once

// The values of a result row as the report takes them, whichever database
// gave them: SQLite may hold a number as a text, PostgreSQL as a numeric
// ("12" or "12.000"), and either may hold NULL.

#include <optional>
#include <string>
#include <string_view>

#include "core/database_reader.h"
#include "report/figures.h"

namespace qz::report {

// The whole number a value holds, within +-kLargestCount; nothing for NULL,
// an empty text or anything that is not a number (a fraction other than
// zeros included, or a number beyond what a long long holds).
std::optional<long long> number_of(std::optional<std::string_view> value);

// The text of a value; empty for NULL.
std::string text_of(std::optional<std::string_view> value);

// number_of(row[column]), 0 where it holds none.
long long count_in(DatabaseReader::Row row, std::size_t column);

// The results of a test as the importers write them.
bool is_passed(std::string_view result);
bool is_failed(std::string_view result);

// Adds the coverage figures of a row, from `first` on: C0 covered, C0
// coverable, C1 covered, C1 coverable. A ratio whose coverable count is
// missing is not reported by the tool and stays absent.
void add_coverage(ToolCoverage& coverage, DatabaseReader::Row row, std::size_t first);

}  // namespace qz::report
