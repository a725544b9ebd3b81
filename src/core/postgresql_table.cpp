#include "core/postgresql_table.h"

#include <algorithm>

#include "core/char_class.h"
#include "core/text_encoding.h"

namespace qz {
namespace {

// `numeric` holds up to this many digits before the decimal point and after it.
constexpr std::size_t kMostWholeDigits = 131072;
constexpr std::size_t kMostFractionDigits = 16383;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The parts of a list "a, b (c, d), e" between commas outside parentheses.
std::vector<std::string_view> list_items(std::string_view list) {
  std::vector<std::string_view> items;
  int depth = 0;
  std::size_t from = 0;
  for (std::size_t at = 0; at <= list.size(); ++at) {
    const char c = at < list.size() ? list[at] : ',';
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    if (c != ',' || depth != 0) continue;
    items.push_back(trimmed(list.substr(from, at - from)));
    from = at + 1;
  }
  return items;
}

std::string_view inside_parentheses(std::string_view text) {
  const std::size_t open = text.find('(');
  const std::size_t close = text.rfind(')');
  return text.substr(open + 1, close - open - 1);
}

// SQL reads type names in any case.
bool is_number_type(std::string_view type) {
  const auto equal_ignoring_case = [](std::string_view a, std::string_view lower) {
    return std::equal(a.begin(), a.end(), lower.begin(), lower.end(), [](char x, char y) {
      return (x >= 'A' && x <= 'Z' ? static_cast<char>(x - 'A' + 'a') : x) == y;
    });
  };
  return equal_ignoring_case(type, "integer") || equal_ignoring_case(type, "int");
}

bool is_listed(std::string_view name, std::string_view blank_separated) {
  while (!blank_separated.empty()) {
    const std::size_t end = std::min(blank_separated.find(' '), blank_separated.size());
    if (blank_separated.substr(0, end) == name) return true;
    blank_separated.remove_prefix(std::min(end + 1, blank_separated.size()));
  }
  return false;
}

bool is_decimal_number(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  const std::size_t point = std::min(text.find('.'), text.size());
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = text.substr(std::min(point + 1, text.size()));
  const auto all_digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return is_digit(c); });
  };
  return whole.size() + fraction.size() > 0 && all_digits(whole) && all_digits(fraction) &&
         whole.size() <= kMostWholeDigits && fraction.size() <= kMostFractionDigits;
}

void append_escaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
}

}  // namespace

PgTable postgresql_table(const SqlTable& sql_table) {
  PgTable table;
  table.name = sql_table.name;
  for (const std::string_view item : list_items(inside_parentheses(sql_table.create))) {
    if (item.starts_with("UNIQUE")) {
      for (const std::string_view column : list_items(inside_parentheses(item))) {
        table.key.emplace_back(column);
      }
      continue;
    }
    const std::size_t blank = std::min(item.find(' '), item.size());
    const std::string_view name = item.substr(0, blank);
    table.columns.push_back({std::string(name), is_number_type(trimmed(item.substr(blank))) ||
                                                    is_listed(name, sql_table.number_columns)});
  }
  return table;
}

std::string column_list(const PgTable& table) {
  std::string list;
  for (const PgColumn& column : table.columns) {
    list.append(list.empty() ? "" : ", ").append(column.name);
  }
  return list;
}

std::string create_table_statement(const PgTable& table) {
  std::string statement = "create table if not exists " + table.name + " (";
  for (const PgColumn& column : table.columns) {
    if (&column != &table.columns.front()) statement += ", ";
    statement += column.name + (column.number ? " numeric" : " text");
  }
  return statement + ")";
}

// md5 is immutable, as an index expression must be; hashing each column
// first keeps ("ab", "c") and ("a", "bc") apart.
std::string create_key_index_statement(const PgTable& table) {
  std::string hashes;
  for (const std::string& column : table.key) {
    hashes.append(hashes.empty() ? "" : " || ").append("md5(" + column + ")");
  }
  return "create unique index if not exists " + table.name + "_key on " + table.name + " ((md5(" +
         hashes + ")))";
}

void append_copy_text(std::string& out, std::string_view value) {
  const bool plain = std::all_of(value.begin(), value.end(),
                                 [](char c) { return c >= ' ' && c <= '~' && c != '\\'; });
  if (plain) {
    out.append(value);
    return;
  }
  std::string without_nul(value);
  std::erase(without_nul, '\0');
  append_escaped(out, utf8_from_utf8_or_windows1252(without_nul));
}

bool append_copy_number(std::string& out, std::string_view value) {
  if (!is_decimal_number(value)) {
    out += "\\N";
    return false;
  }
  out.append(value);
  return true;
}

}  // namespace qz
