#pragma once

// The input formats the program reads, one source file per family, each with
// its own header. This is the one place where the parser type names live.

#include <array>
#include <string_view>

#include "core/run.h"

namespace qz {

// What a format writes: an SQL script (which may also be imported into a
// database), a report for people (echoed like a script), or a page (not
// echoed).
enum class OutputKind { kSqlScript, kReport, kPage };

// Reads run.input to its end and writes run.output. Failures are thrown
// (RunError, std::bad_alloc); the driver reports them.
using Importer = void (*)(const Run& run);

struct Format {
  std::string_view parser_type;
  Importer import;
  OutputKind output;
  bool has_findings = false;  // hands compiler or analyser findings to run.findings
};

// Every format, in the order the parser types are matched.
extern const std::array<Format, 11> kFormats;

// The format of exactly this parser type (same bytes, same case), or null.
const Format* find_format(std::string_view parser_type);

}  // namespace qz
