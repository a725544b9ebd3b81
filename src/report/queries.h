#pragma once

// Every SQL text the report runs, in one place. They run unchanged on
// SQLite and PostgreSQL: numbers that a table may hold as texts are cast,
// every derived table is named, and nothing relies on row order; the
// callers order what they read.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qz::report {

// The five tables the converter fills.
enum class Table { kTests, kCoverage, kCompiler, kMap, kQac };
inline constexpr std::array<Table, 5> kTables{Table::kTests, Table::kCoverage, Table::kCompiler,
                                              Table::kMap, Table::kQac};

std::string_view table_name(Table table);

// The builds of a table: project, platform, githash, a date and the earliest
// time of the build's rows of that date. The parameters are the project and
// the platform, each only where `by_project` and `by_platform` ask for it.
std::string builds_sql(Table table, bool by_project, bool by_platform);

// The queries below take the project, the platform, then `builds` git
// hashes, and read only the rows of those builds. A build's compiler and map
// rows count once however often they were imported: their date and time
// aside, equal rows are one.

// githash, result, rows.
std::string test_counts_sql(std::size_t builds);
// githash, tool, C0 covered, C0 coverable, C1 covered, C1 coverable: the
// summary rows a tool writes for the whole build (GCOV's row without a
// function name, CTC's module statistics), never a function's.
std::string coverage_summary_sql(std::size_t builds);
// githash, type, distinct rows.
std::string compiler_counts_sql(std::size_t builds);
// githash, the findings of levels 0 to 9, HIS.
std::string qac_counts_sql(std::size_t builds);
// githash, section, bytes.
std::string section_sizes_sql(std::size_t builds);

// The same for one build, with the rows the change lists compare.
// type, name, result.
std::string tests_of_build_sql();
// filename, type, error_id, error_num, places (distinct lines).
std::string warnings_of_build_sql();
// filename, findings (all levels and HIS).
std::string qac_files_of_build_sql();
// tool, function_name, C0 covered, C0 coverable, C1 covered, C1 coverable.
std::string coverage_functions_sql();
// section, module (filename), bytes.
std::string module_sizes_sql();

}  // namespace qz::report
