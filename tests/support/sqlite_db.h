#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace qz::test {

// A private in-memory SQLite database for checking produced scripts.
class SqliteDb {
 public:
  SqliteDb();
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
