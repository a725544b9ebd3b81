#include <sqlite3.h>

#include <vector>

#include "core/database_target.h"
#include "core/file.h"
#include "core/sqlite_database.h"

namespace qz {
namespace {


[[noreturn]] void fail(const std::string& reason) {
  throw RunError(RunError::Step::kReadDatabase, reason);
}

// An SQLite file opened read-only: a missing file is an error, not a new
// database, and no journal or lock file is left behind.
class SqliteReader : public DatabaseReader {
 public:
  explicit SqliteReader(const std::string& path) {
    if (const std::string refusal = sqlite_file_refusal(path); !refusal.empty()) fail(refusal);
    if (sqlite3_open_v2(sqlite_file_name(path).c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
      const std::string reason = sqlite3_errmsg(db_);
      sqlite3_close(db_);
      db_ = nullptr;
      fail(reason);
    }
    sqlite3_busy_timeout(db_, kSqliteBusyMilliseconds);
    // Reading the schema tells a file that is no database at all. A
    // constructor that throws runs no destructor: the connection is closed
    // here.
    try {
      query("select count(*) from sqlite_schema", {}, [](Row) {});
    } catch (...) {
      sqlite3_close(db_);
      throw;
    }
  }
  ~SqliteReader() override { sqlite3_close(db_); }
  SqliteReader(const SqliteReader&) = delete;
  SqliteReader& operator=(const SqliteReader&) = delete;

  bool has_table(std::string_view table) override {
    bool found = false;
    const std::string name(table);
    query("select 1 from sqlite_schema where type = 'table' and name = ?",
          std::span(&name, 1), [&](Row) { found = true; });
    return found;
  }

  void query(std::string_view sql, std::span<const std::string> parameters,
             const std::function<void(Row)>& take) override {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
        SQLITE_OK) {
      fail(sqlite3_errmsg(db_));
    }
    const Finalizer finalizer{statement};
    int index = 1;
    for (const std::string& parameter : parameters) {
      sqlite3_bind_text(statement, index++, parameter.data(), static_cast<int>(parameter.size()),
                        SQLITE_STATIC);
    }
    const int columns = sqlite3_column_count(statement);
    std::vector<std::optional<std::string_view>> values(static_cast<std::size_t>(columns));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      for (int column = 0; column < columns; ++column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        values[static_cast<std::size_t>(column)] =
            text == nullptr ? std::nullopt
                            : std::optional<std::string_view>(std::string_view(
                                  text, static_cast<std::size_t>(
                                            sqlite3_column_bytes(statement, column))));
      }
      take(values);
    }
    if (step != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  }

 private:
  struct Finalizer {
    sqlite3_stmt* statement;
    ~Finalizer() { sqlite3_finalize(statement); }
  };

  sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<DatabaseReader> open_sqlite_reader(const std::string& path) {
  return std::make_unique<SqliteReader>(path);
}

}  // namespace qz
