#include "support/sqlite_db.h"

#include <sqlite3.h>

#include <stdexcept>

namespace qz::test {

SqliteDb::SqliteDb(DoubleQuotedStrings double_quoted) {
  if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("sqlite3_open failed");
  const int accepted = double_quoted == DoubleQuotedStrings::kAccepted ? 1 : 0;
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, accepted, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, accepted, nullptr);
}

SqliteDb::SqliteDb(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
    throw std::runtime_error("sqlite3_open failed");
  sqlite3_busy_timeout(db_, 60'000);
}

SqliteDb::~SqliteDb() { sqlite3_close(db_); }

std::string SqliteDb::run_script(const std::string& script) {
  char* message = nullptr;
  if (sqlite3_exec(db_, script.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return {};
  std::string error = message != nullptr ? message : "unknown error";
  sqlite3_free(message);
  return error;
}

std::vector<std::string> SqliteDb::query(const std::string& sql) {
  std::vector<std::string> rows;
  auto collect = [](void* target, int columns, char** values, char**) {
    std::string row;
    for (int i = 0; i < columns; ++i) {
      if (i > 0) row += '|';
      row += values[i] != nullptr ? values[i] : "NULL";
    }
    static_cast<std::vector<std::string>*>(target)->push_back(row);
    return 0;
  };
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), collect, &rows, &message) != SQLITE_OK) {
    std::string error = message != nullptr ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error("query failed: " + error);
  }
  return rows;
}

}  // namespace qz::test
