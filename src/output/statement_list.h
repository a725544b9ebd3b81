#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace qz {

// The ordered lines of one output: SQL statements or report lines, each
// without its line end.
using StatementList = std::vector<std::string>;

// Writes every entry followed by "\n" to `output` (text mode, so "\n" is the
// platform's line end), closes it, then writes the same lines to standard
// output. A null `output` (it could not be opened) still gets the echo.
// Returns false when the output file could not be written completely.
bool emit_statements(const StatementList& statements, std::FILE* output);

// Opens `output_path` for writing (creating or truncating it) and runs
// emit_statements on it.
bool write_statements(const StatementList& statements, const std::string& output_path);

}  // namespace qz
