#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sql.h"

namespace qz {

// A table of the scripts as it stands in PostgreSQL: the same table and
// column names; a column that holds numbers is `numeric` (exact for any
// number of digits), every other column `text`. The UNIQUE key becomes a
// unique index on a hash of its columns, since a key longer than a B-tree
// index entry allows (a name can be megabytes long) must not fail an import.
struct PgColumn {
  std::string name;
  bool number = false;
};

struct PgTable {
  std::string name;
  std::vector<PgColumn> columns;
  std::vector<std::string> key;  // empty for a table without one
};

// Read from the table's CREATE statement: columns declared INTEGER or INT,
// and the table's number_columns, hold numbers.
PgTable postgresql_table(const SqlTable& table);

// "create table if not exists ..." and, for a table with a key, "create
// unique index if not exists ...".
std::string create_table_statement(const PgTable& table);
std::string create_key_index_statement(const PgTable& table);

// The column names joined by ", ".
std::string column_list(const PgTable& table);

// Appends `value` as one field of COPY's text format: without NUL bytes,
// which no text can hold; in UTF-8, reading a text that is not valid UTF-8
// as windows-1252, so that no byte is lost; with backslash, tab, line feed
// and carriage return escaped.
void append_copy_text(std::string& out, std::string_view value);

// Appends a number column's value: the value where it is a decimal number
// that `numeric` holds (optional sign, digits, optional fraction), COPY's
// NULL otherwise (an empty value, any other text). False for NULL.
bool append_copy_number(std::string& out, std::string_view value);

}  // namespace qz
