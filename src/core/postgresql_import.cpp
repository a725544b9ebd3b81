#include <optional>
#include <utility>

#include "core/postgresql_connection.h"
#include "core/postgresql_database.h"
#include "core/postgresql_table.h"
#include "core/temp_file.h"

namespace qz {
namespace {

// Taken, only while missing tables are created, by every run of this
// program: concurrent CREATE TABLE IF NOT EXISTS fails in PostgreSQL (a
// unique violation on pg_type). The number is this program's own.
constexpr std::string_view kCreationLock = "5863562180238405681";

// A deadlock (two runs inserting the same keys in another order) or a
// serialisation failure ends a transaction that can simply run again.
bool is_worth_another_attempt(const PgError& error) {
  return error.sqlstate() == "40P01" || error.sqlstate() == "40001";
}

// Imports a run's rows into a PostgreSQL server. The rows are collected in
// COPY's text format in a temporary file while the input is read; commit()
// sends them in one transaction: COPY straight into a table without a key,
// or COPY into a temporary table and then INSERT ... SELECT in the rows'
// order, where ON CONFLICT DO NOTHING keeps the first row of each key, as
// the scripts' ON CONFLICT IGNORE does.
class PostgresqlImport : public DatabaseImport {
 public:
  explicit PostgresqlImport(std::string uri) : uri_(std::move(uri)) {}

  void begin_table(const SqlTable& table, std::span<const SqlValue> run_values) override {
    collection_.run([&] { collect_table(table, run_values); });
  }
  void add_row(std::span<const SqlValue> values) override {
    collection_.run([&] { collect_row(values); });
  }
  void commit() override;
  std::vector<std::string> notes() const override;

 private:
  void collect_table(const SqlTable& table, std::span<const SqlValue> run_values);
  void collect_row(std::span<const SqlValue> values);
  void import_rows(PgConnection& connection);
  void create_missing(PgConnection& connection);
  void send_rows(PgConnection& connection, const std::string& copy);
  static void commit_transaction(PgConnection& connection);

  std::string uri_;
  RowCollection collection_;
  PgTable table_;
  std::optional<TempFile> rows_;  // once the table is known
  std::string run_fields_;        // the run's values, as the first fields of every row
  std::size_t first_row_column_ = 0;
  unsigned long long row_count_ = 0;
  unsigned long long null_numbers_ = 0;
};

void PostgresqlImport::collect_table(const SqlTable& table, std::span<const SqlValue> run_values) {
  table_ = postgresql_table(table);
  for (const SqlValue& value : run_values) {
    append_copy_text(run_fields_, value.text);
    run_fields_ += '\t';
  }
  first_row_column_ = run_values.size();
  rows_.emplace();
}

// A table with a key takes the rows' order from a leading row number.
void PostgresqlImport::collect_row(std::span<const SqlValue> values) {
  std::string& out = rows_->text();
  if (!table_.key.empty()) out.append(std::to_string(row_count_)).append("\t");
  out.append(run_fields_);
  std::size_t column = first_row_column_;
  for (const SqlValue& value : values) {
    if (column != first_row_column_) out += '\t';
    if (!table_.columns[column++].number) {
      append_copy_text(out, value.text);
    } else if (!append_copy_number(out, value.text)) {
      ++null_numbers_;
    }
  }
  out += '\n';
  ++row_count_;
  rows_->wrote();
}

void PostgresqlImport::commit() {
  collection_.throw_failure();
  if (!rows_) return;  // no table: nothing was imported
  try {
    PgConnection connection(uri_, RunError::Step::kWriteDatabase);
    try {
      import_rows(connection);
    } catch (const PgError& error) {
      if (!is_worth_another_attempt(error)) throw;
      connection.exec("rollback");
      import_rows(connection);
    }
  } catch (const std::bad_alloc&) {
    throw RunError(RunError::Step::kWriteDatabase, "out of memory");
  }
}

void PostgresqlImport::import_rows(PgConnection& connection) {
  create_missing(connection);
  connection.begin();
  const std::string& name = table_.name;
  const std::string columns = column_list(table_);
  if (table_.key.empty()) {
    send_rows(connection, "copy " + name + " (" + columns + ") from stdin");
  } else {
    PgTable staged = table_;
    staged.name = "pg_temp.qz_rows";
    staged.columns.insert(staged.columns.begin(), {"qz_row", true});
    connection.exec(create_table_statement(staged) + " on commit drop");
    send_rows(connection, "copy pg_temp.qz_rows from stdin");
    connection.exec("insert into " + name + " (" + columns + ") select " + columns +
                    " from pg_temp.qz_rows order by qz_row on conflict do nothing");
  }
  commit_transaction(connection);
}

// Creates the table, or the report's index by build on a table made before
// it, where either is missing, in a short transaction of its own. Runs that
// find something missing wait for each other under an advisory lock (two
// concurrent CREATE ... IF NOT EXISTS can fail); runs that find both never
// wait, nor does the import that follows hold the lock.
void PostgresqlImport::create_missing(PgConnection& connection) {
  const std::string& name = table_.name;
  // A table that another role owns cannot be indexed by this one: its
  // index does not count as missing, and the import goes on without it.
  const std::string query =
      "select to_regclass('" + name + "') is null, to_regclass('" + name +
      "_by_build') is null and coalesce((select pg_catalog.pg_has_role(relowner, 'USAGE') from "
      "pg_catalog.pg_class where oid = to_regclass('" + name + "')), true)";
  auto missing = [&] {
    const PgResult result = connection.exec(query);
    return std::pair(result.value(0, 0) == "t", result.value(0, 1) == "t");
  };
  if (missing() == std::pair(false, false)) return;
  connection.begin();
  connection.exec("select pg_advisory_xact_lock(" + std::string(kCreationLock) + ")");
  const auto [table_missing, index_missing] = missing();
  if (table_missing) {
    connection.exec(create_table_statement(table_));
    if (!table_.key.empty()) connection.exec(create_key_index_statement(table_));
  }
  if (index_missing) {
    // An index that cannot be built (in the time a statement has) leaves
    // the import to go on without it, as for a table of another role.
    connection.exec("savepoint by_build");
    try {
      connection.exec(build_index_statement("", name));
      connection.exec("release savepoint by_build");
    } catch (const PgError&) {
      connection.exec("rollback to savepoint by_build");
    }
  }
  connection.exec("commit");
}

void PostgresqlImport::send_rows(PgConnection& connection, const std::string& copy) {
  rows_->rewind();
  connection.copy_in(copy, [this] { return rows_->read(); });
}

void PostgresqlImport::commit_transaction(PgConnection& connection) {
  try {
    connection.exec("commit");
  } catch (const PgError& error) {
    if (!connection.lost()) throw;
    throw RunError(RunError::Step::kWriteDatabase,
                   "the connection was lost during COMMIT, so whether the rows were imported is "
                   "unknown: " +
                       std::string(error.what()));
  }
}

std::vector<std::string> PostgresqlImport::notes() const {
  if (null_numbers_ == 0) return {};
  return {std::to_string(null_numbers_) +
          " values of number columns were empty or not decimal numbers and were imported as NULL"};
}

}  // namespace

std::unique_ptr<DatabaseImport> open_postgresql_import(const std::string& uri) {
  return std::make_unique<PostgresqlImport>(uri);
}

}  // namespace qz
