#include "output/insert_statement.h"

#include "output/quote_value.h"
#include "output/run_timestamp.h"

namespace qz {

std::string run_column_values(const RunSettings& settings, ToolColumn tool) {
  const RunTimestamp& now = run_timestamp();
  std::string values;
  append_quoted(values, settings.platform);
  values += ", ";
  append_quoted(values, settings.project_name);
  values += ", ";
  if (tool == ToolColumn::kWith) {
    append_quoted(values, settings.tool_name);
    values += ", ";
  }
  append_quoted(values, settings.hash_value);
  values += ", ";
  append_quoted(values, now.date);
  values += ", ";
  append_quoted(values, now.time);
  return values;
}

InsertStatement::InsertStatement(std::string_view prefix, std::string_view run_values) {
  text_.reserve(prefix.size() + run_values.size() + 160);
  text_.append(prefix);
  text_.append(run_values);
}

InsertStatement& InsertStatement::quoted(std::string_view value) {
  text_ += ", ";
  append_quoted(text_, value);
  return *this;
}

InsertStatement& InsertStatement::bare(std::string_view value) {
  text_ += ", ";
  text_.append(value);
  return *this;
}

std::string InsertStatement::finish() {
  text_ += ");";
  return std::move(text_);
}

}  // namespace qz
