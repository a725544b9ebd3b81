#include "core/sql.h"

#include <cstring>

#include "core/output.h"

namespace qz {
namespace {

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
  // Most values hold neither a quote nor a NUL: two searches that take many
  // bytes at a time, and one append.
  if (value.empty() || (std::memchr(value.data(), '\'', value.size()) == nullptr &&
                        std::memchr(value.data(), '\0', value.size()) == nullptr)) {
    out.append(value);
    out += '\'';
    return;
  }
  std::size_t plain_from = 0;
  for (std::size_t at = 0; at < value.size(); ++at) {
    const char c = value[at];
    if (c != '\'' && c != '\0') continue;
    out.append(value.data() + plain_from, at - plain_from);
    if (c == '\'') out += "''";
    plain_from = at + 1;
  }
  out.append(value.data() + plain_from, value.size() - plain_from);
  out += '\'';
}

SqlScript::SqlScript(const Run& run, const SqlTable& table)
    : output_(run.output), database_(run.database), table_(table) {
  const RunSettings& settings = run.settings;
  const RunTimestamp& now = run_timestamp();
  std::vector<SqlValue> run_values{settings.platform, settings.project_name};
  if (table.has_tool_column) run_values.emplace_back(settings.tool_name);
  for (const std::string* value : {&settings.hash_value, &now.date, &now.time}) {
    run_values.emplace_back(*value);
  }
  for (const SqlValue& value : run_values) {
    if (!run_values_.empty()) run_values_ += ", ";
    append_value(run_values_, value);
  }
  output_.line(table.create);
  if (database_ != nullptr) database_->begin_table(table, run_values);
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
  if (database_ != nullptr) database_->add_row(values);
}

}  // namespace qz
