#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The ordered lines of one output: SQL statements or report lines, each
// without its line end.
using StatementList = std::vector<std::string>;

// Takes the lines of one output and writes each, followed by "\n", to a
// stream in large blocks, so that no write call is made per line.
class StatementSink {
 public:
  // A null stream takes the lines and reports failure at the end.
  explicit StatementSink(std::FILE* stream);

  void add(std::string_view line);

  // Writes what is left and flushes; false if any write failed.
  bool finish();

 private:
  void write_block();

  std::FILE* stream_;
  std::string block_;
  bool ok_;
};

// Puts the lines of one output into a sink. It runs twice, once for the
// output file and once for the echo on standard output, so that a large
// script is built a statement at a time and never held whole in memory.
using StatementSource = std::function<void(StatementSink&)>;

// Writes the lines to `output` (text mode, so "\n" is the platform's line
// end), closes it, then writes the same lines to standard output. A null
// `output` (it could not be opened) still gets the echo. Returns false when
// the output file could not be written completely.
bool emit_statements(const StatementSource& source, std::FILE* output);
bool emit_statements(const StatementList& statements, std::FILE* output);

// Opens `output_path` for writing (creating or truncating it) and runs
// emit_statements on it.
bool write_statements(const StatementSource& source, const std::string& output_path);
bool write_statements(const StatementList& statements, const std::string& output_path);

}  // namespace qz
