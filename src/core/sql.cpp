#include "core/sql.h"

#include "core/output.h"

namespace qz {
namespace {

// A single quote is doubled; a NUL byte is left out, because SQL tools read
// a script as C text and a NUL would cut the statement short.
constexpr std::string_view kSpecialBytes("'\0", 2);

void append_value(std::string& out, const SqlValue& value) {
  if (value.quoted) {
    append_quoted(out, value.text);
  } else {
    out.append(value.text);
  }
}

}  // namespace

void append_quoted(std::string& out, std::string_view value) {
  out += '\'';
  for (std::size_t special = value.find_first_of(kSpecialBytes);
       special != std::string_view::npos; special = value.find_first_of(kSpecialBytes)) {
    out.append(value.substr(0, special));
    if (value[special] == '\'') out += "''";
    value.remove_prefix(special + 1);
  }
  out.append(value);
  out += '\'';
}

std::string quote_value(std::string_view value) {
  std::string quoted;
  quoted.reserve(value.size() + 2);
  append_quoted(quoted, value);
  return quoted;
}

SqlScript::SqlScript(const Run& run, const SqlTable& table)
    : output_(run.output), database_(run.database), table_(table) {
  const RunSettings& settings = run.settings;
  const RunTimestamp& now = run_timestamp();
  row_values_.emplace_back(settings.platform);
  row_values_.emplace_back(settings.project_name);
  if (table.has_tool_column) row_values_.emplace_back(settings.tool_name);
  row_values_.emplace_back(settings.hash_value);
  row_values_.emplace_back(now.date);
  row_values_.emplace_back(now.time);
  run_value_count_ = row_values_.size();
  for (const SqlValue& value : row_values_) {
    if (!run_values_.empty()) run_values_ += ", ";
    append_value(run_values_, value);
  }
  output_.line(table.create);
  if (database_ != nullptr) database_->begin_table(table);
}

void SqlScript::row(std::span<const SqlValue> values) {
  std::string& out = output_.text();
  out.append(table_.insert_prefix);
  out.append(run_values_);
  for (const SqlValue& value : values) {
    out += ", ";
    append_value(out, value);
  }
  out += ");";
  output_.end_line();
  if (database_ != nullptr) {
    row_values_.erase(row_values_.begin() + static_cast<std::ptrdiff_t>(run_value_count_),
                      row_values_.end());
    row_values_.insert(row_values_.end(), values.begin(), values.end());
    database_->add_row(row_values_);
  }
}

}  // namespace qz
