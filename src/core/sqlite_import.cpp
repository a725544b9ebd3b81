#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "core/database_target.h"
#include "core/file.h"
#include "core/sqlite_database.h"

namespace qz {
namespace {

constexpr std::string_view kCreatePrefix = "create table if not exists ";

// The column list of an INSERT prefix "insert into t (a, b) values (".
std::string column_list(std::string_view insert_prefix) {
  const std::size_t open = insert_prefix.find('(');
  const std::size_t close = insert_prefix.find(')', open);
  return std::string(insert_prefix.substr(open + 1, close - open - 1));
}

// The text encoding of an existing SQLite database file, as `pragma
// encoding` names it; empty for a file that is not one yet. It stands in
// the file's header, which never changes once written.
std::string_view sqlite_text_encoding(const std::string& path) {
  File file = File::open_input(path);
  char header[60] = {};
  for (std::size_t got = 0; got < sizeof header;) {
    const long long count = file.read(header + got, sizeof header - got);
    if (count <= 0) return {};
    got += static_cast<std::size_t>(count);
  }
  if (std::string_view(header, 16) != std::string_view("SQLite format 3\0", 16)) return {};
  switch (header[59]) {
    case 2:
      return "UTF-16le";
    case 3:
      return "UTF-16be";
    default:
      return {};
  }
}

// Imports the rows of a run's SQL script straight into an SQLite database
// file, the same CREATE statement and the same values, so that the table
// keeps the rows that loading the script would keep. The rows are collected
// in a private temporary database and copied into the target by ATTACH.
class SqliteImport : public DatabaseImport {
 public:
  explicit SqliteImport(std::string target_path) : target_path_(std::move(target_path)) {
    collection_.run([this] { open_collection(); });
  }
  ~SqliteImport() override {
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
  }
  SqliteImport(const SqliteImport&) = delete;
  SqliteImport& operator=(const SqliteImport&) = delete;

  void begin_table(const SqlTable& table, std::span<const SqlValue> run_values) override {
    collection_.run([&] { collect_table(table, run_values); });
  }
  void add_row(std::span<const SqlValue> values) override {
    collection_.run([&] { collect_row(values); });
  }
  void commit() override;

 private:
  void open_collection();
  void collect_table(const SqlTable& table, std::span<const SqlValue> run_values);
  void collect_row(std::span<const SqlValue> values);
  void copy_into_target();
  void execute(const std::string& sql);
  void bind(sqlite3_stmt* statement, int column, const SqlValue& value);
  void copy_rows();
  [[noreturn]] static void fail(const std::string& reason) {
    throw RunError(RunError::Step::kWriteDatabase, reason);
  }

  std::string target_path_;
  RowCollection collection_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  std::string create_;  // the table's CREATE statement
  std::string table_;
  std::string columns_;  // the column list of the INSERT, as written
  std::vector<std::pair<std::string, bool>> run_values_;  // text, quoted
  std::size_t row_width_ = 0;                             // values per row behind the run's values
};

// An empty name opens a private database in a temporary file, which SQLite
// removes when it is closed: the rows never need to fit in memory.
void SqliteImport::open_collection() {
  if (sqlite3_open_v2("", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    fail("cannot open a temporary database");
  }
  sqlite3_busy_timeout(db_, kSqliteBusyMilliseconds);
  execute("pragma journal_mode = off; pragma synchronous = off;");
  // Attached databases must share one text encoding; a new target is UTF-8.
  if (const std::string_view encoding = sqlite_text_encoding(target_path_); !encoding.empty()) {
    execute("pragma encoding = '" + std::string(encoding) + "';");
  }
}

void SqliteImport::execute(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
  const std::string reason = message != nullptr ? message : sqlite3_errmsg(db_);
  sqlite3_free(message);
  fail(reason);
}

void SqliteImport::collect_table(const SqlTable& table, std::span<const SqlValue> run_values) {
  create_ = table.create;
  table_ = table.name;
  columns_ = column_list(table.insert_prefix);
  for (const SqlValue& value : run_values) run_values_.emplace_back(value.text, value.quoted);
  // The run's values are the same in every row: they are added when the
  // rows are copied. Columns without a type keep every value as it was
  // bound; the target's own column types apply when the rows are copied.
  const std::size_t column_count =
      static_cast<std::size_t>(std::count(columns_.begin(), columns_.end(), ',')) + 1;
  row_width_ = column_count - run_values.size();
  std::string staged;
  std::string placeholders;
  for (std::size_t i = 1; i <= row_width_; ++i) {
    staged += (i > 1 ? ", v" : "v") + std::to_string(i);
    placeholders += i > 1 ? ", ?" : "?";
  }
  execute("create table rows (" + staged + ");");
  const std::string insert = "insert into rows values (" + placeholders + ");";
  if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &insert_, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
}

void SqliteImport::collect_row(std::span<const SqlValue> values) {
  int column = 1;
  for (const SqlValue& value : values) bind(insert_, column++, value);
  if (sqlite3_step(insert_) != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  sqlite3_reset(insert_);
}

// A bare value is a number in the script, a quoted one a text. The text
// must outlive the statement's next step; one that holds NUL bytes is bound
// without them, as the script writes it.
void SqliteImport::bind(sqlite3_stmt* statement, int column, const SqlValue& value) {
  long long number = 0;
  const std::string_view text = value.text;
  int bound = SQLITE_OK;
  if (!value.quoted &&
      std::from_chars(text.data(), text.data() + text.size(), number).ec == std::errc()) {
    bound = sqlite3_bind_int64(statement, column, number);
  } else if (text.find('\0') == std::string_view::npos) {
    bound = sqlite3_bind_text(statement, column, text.data(), static_cast<int>(text.size()),
                              SQLITE_STATIC);
  } else {
    std::string without_nul(text);
    std::erase(without_nul, '\0');
    bound = sqlite3_bind_text(statement, column, without_nul.data(),
                              static_cast<int>(without_nul.size()), SQLITE_TRANSIENT);
  }
  if (bound != SQLITE_OK) fail(sqlite3_errmsg(db_));
}

// Copies the staged rows behind the run's values in one statement.
void SqliteImport::copy_rows() {
  std::string select;
  for (std::size_t i = 1; i <= run_values_.size(); ++i) select += "?, ";
  for (std::size_t i = 1; i <= row_width_; ++i) select += (i > 1 ? ", v" : "v") + std::to_string(i);
  const std::string copy = "insert into target." + table_ + " (" + columns_ + ") select " + select +
                           " from main.rows order by rowid;";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, copy.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
  try {
    int column = 1;
    for (const auto& [text, quoted] : run_values_) {
      SqlValue value(text);
      value.quoted = quoted;
      bind(statement, column++, value);
    }
    if (sqlite3_step(statement) != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  } catch (...) {
    sqlite3_finalize(statement);
    throw;
  }
  sqlite3_finalize(statement);
}

void SqliteImport::commit() {
  collection_.throw_failure();
  if (insert_ == nullptr) return;  // no table: nothing was imported
  try {
    copy_into_target();
  } catch (const std::bad_alloc&) {
    fail("out of memory");
  }
}

// A target file that this run creates stays when the import fails: an
// empty file is a valid empty database, and another run may be importing
// into it by now.
void SqliteImport::copy_into_target() {
  sqlite3_stmt* attach = nullptr;
  if (sqlite3_prepare_v2(db_, "attach database ? as target;", -1, &attach, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
  sqlite3_bind_text(attach, 1, sqlite_file_name(target_path_).c_str(), -1, SQLITE_TRANSIENT);
  const int attached = sqlite3_step(attach);
  sqlite3_finalize(attach);
  if (attached != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  try {
    execute("begin immediate;");
    try {
      execute(std::string(kCreatePrefix) + "target." + create_.substr(kCreatePrefix.size()));
      execute(build_index_statement("target.", table_) + ";");
      copy_rows();
      execute("commit;");
    } catch (...) {  // out of memory too: the target is never left locked
      sqlite3_exec(db_, "rollback;", nullptr, nullptr, nullptr);
      throw;
    }
  } catch (...) {
    sqlite3_exec(db_, "detach database target;", nullptr, nullptr, nullptr);
    throw;
  }
  sqlite3_exec(db_, "detach database target;", nullptr, nullptr, nullptr);
}

}  // namespace

std::unique_ptr<DatabaseImport> open_sqlite_import(const std::string& path) {
  return std::make_unique<SqliteImport>(path);
}

}  // namespace qz
