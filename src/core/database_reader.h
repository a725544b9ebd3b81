#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qz {

// Read-only access to a database of imported rows, for the report: an
// SQLite file or, for a postgresql:// URI, a PostgreSQL server. Nothing in
// the database is created or changed, and reading works while imports run.
class DatabaseReader {
 public:
  // The values of one result row, as texts (numbers in their decimal form);
  // nothing for NULL. They are valid only while the row is handled.
  using Row = std::span<const std::optional<std::string_view>>;

  virtual ~DatabaseReader() = default;

  // Whether a table of that name exists.
  virtual bool has_table(std::string_view table) = 0;

  // Runs one query; each `?` in `sql` takes the next of `parameters`, as a
  // text. `take` is called for each row of the result, in order.
  virtual void query(std::string_view sql, std::span<const std::string> parameters,
                     const std::function<void(Row)>& take) = 0;
};

// Opens the database `target` names for reading. Throws RunError
// (Step::kReadDatabase) with the reason when it cannot be read.
std::unique_ptr<DatabaseReader> open_database_reader(const std::string& target);

}  // namespace qz
