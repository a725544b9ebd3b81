#include <vector>

#include "core/postgresql_connection.h"
#include "core/postgresql_database.h"

namespace qz {
namespace {

// `sql` with each `?` outside quotes numbered as PostgreSQL's parameters
// are: $1, $2, ...
std::string numbered_parameters(std::string_view sql) {
  std::string numbered;
  char quote = 0;
  int next = 1;
  for (const char c : sql) {
    if (quote == 0 && c == '?') {
      numbered += "$" + std::to_string(next++);
      continue;
    }
    if (c == '\'' || c == '"') quote = quote == 0 ? c : quote == c ? 0 : quote;
    numbered += c;
  }
  return numbered;
}

// Reads in one read-only transaction, which sees the database as it was at
// its first query: imports that commit meanwhile neither block the reading
// nor change what it sees.
class PostgresqlReader : public DatabaseReader {
 public:
  explicit PostgresqlReader(const std::string& uri)
      : connection_(uri, RunError::Step::kReadDatabase) {
    connection_.begin("isolation level repeatable read read only");
  }

  bool has_table(std::string_view table) override {
    bool found = false;
    const std::string name(table);
    query(
        "select 1 from pg_catalog.pg_class where relname = ? and relkind in ('r', 'p', 'v') "
        "and pg_catalog.pg_table_is_visible(oid)",
        std::span(&name, 1), [&](Row) { found = true; });
    return found;
  }

  void query(std::string_view sql, std::span<const std::string> parameters,
             const std::function<void(Row)>& take) override {
    const PgResult result = connection_.exec(numbered_parameters(sql), parameters);
    std::vector<std::optional<std::string_view>> values(static_cast<std::size_t>(result.columns()));
    for (int row = 0; row < result.rows(); ++row) {
      for (int column = 0; column < result.columns(); ++column) {
        values[static_cast<std::size_t>(column)] = result.value(row, column);
      }
      take(values);
    }
  }

 private:
  PgConnection connection_;
};

}  // namespace

std::unique_ptr<DatabaseReader> open_postgresql_reader(const std::string& uri) {
  return std::make_unique<PostgresqlReader>(uri);
}

}  // namespace qz
