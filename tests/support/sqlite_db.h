#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace qz::test {

// A private in-memory SQLite database for checking produced scripts. By
// default it reads double-quoted texts as names only, as current SQLite
// shells do; the deprecated fallback that takes them as strings can be
// switched on for comparison.
class SqliteDb {
 public:
  enum class DoubleQuotedStrings { kRefused, kAccepted };
  explicit SqliteDb(DoubleQuotedStrings double_quoted = DoubleQuotedStrings::kRefused);
  // A database file, opened (and created) as it is.
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Runs a whole script; returns SQLite's error message, empty on success.
  std::string run_script(const std::string& script);

  // The rows of a query, each row's columns joined by "|" (NULL as "NULL").
  std::vector<std::string> query(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace qz::test
