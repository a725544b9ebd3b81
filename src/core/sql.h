#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/run.h"

namespace qz {

// Appends a value as written into an SQL statement: a standard SQL string
// literal, between single quotes, with every single quote inside doubled, so
// that no file name or message can break the script and every SQL database
// reads it as a text (double quotes mark names in SQL). NUL bytes are left
// out: no SQL text literal can hold one. Nothing else is changed.
void append_quoted(std::string& out, std::string_view value);

// One table that a format writes: its CREATE statement and the INSERT prefix
// that lists its columns and ends in "values (".
struct SqlTable {
  std::string_view name;
  std::string_view create;
  std::string_view insert_prefix;
  bool has_tool_column = false;  // platform, project, tool, githash, date, time
  // Columns that hold numbers although the CREATE statement gives them no
  // type (SQLite keeps their values as the script writes them), separated
  // by blanks: a database with strict column types stores them as numbers.
  std::string_view number_columns = {};
};

// One value of a row: a text, written quoted, or a whole number written bare
// (digits only), which a database stores as an integer.
struct SqlValue {
  // Implicit: a quoted text is the usual case.
  SqlValue(std::string_view text) : text(text) {}
  SqlValue(const std::string& text) : text(text) {}
  SqlValue(const char* text) : text(text) {}
  static SqlValue bare(std::string_view digits) {
    SqlValue value(digits);
    value.quoted = false;
    return value;
  }

  std::string_view text;
  bool quoted = true;
};

// Where rows go besides the script (a database import). The run's
// descriptive values lead every row; they come once, with the table, and
// each row brings the values that follow them, in column order.
class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual void begin_table(const SqlTable& table, std::span<const SqlValue> run_values) = 0;
  virtual void add_row(std::span<const SqlValue> values) = 0;
};

// The SQL script of a run, written as its rows are found: the CREATE
// statement at once, then one INSERT per row, each led by the run's
// descriptive values (platform, project, [tool,] githash, date, time).
class SqlScript {
 public:
  SqlScript(const Run& run, const SqlTable& table);

  void row(std::span<const SqlValue> values);
  void row(std::initializer_list<SqlValue> values) {
    row(std::span(values.begin(), values.size()));
  }

 private:
  Output& output_;
  RowSink* database_;
  const SqlTable& table_;
  std::string run_values_;  // quoted and joined, as every INSERT repeats them
};

}  // namespace qz
