#include "core/postgresql_table.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(PostgresqlTable, TakesNamesTypesAndKeyFromTheCreateStatement) {
  constexpr SqlTable kTable{
      "t",
      "create table if not exists t (platform, C0 INTEGER, size int, counted, text_col, "
      "UNIQUE (platform, counted) ON CONFLICT IGNORE);",
      "insert into t (platform, C0, size, counted, text_col) values (", false, "counted"};
  const PgTable table = postgresql_table(kTable);
  EXPECT_EQ(create_table_statement(table),
            "create table if not exists t (platform text, C0 numeric, size numeric, counted "
            "numeric, text_col text)");
  EXPECT_EQ(create_key_index_statement(table),
            "create unique index if not exists t_key on t ((md5(md5(platform) || md5(counted))))");
  EXPECT_EQ(column_list(table), "platform, C0, size, counted, text_col");
}

TEST(PostgresqlTable, CopyTextIsUtf8WithoutNulWithEscapes) {
  const struct {
    std::string_view value;
    std::string_view field;
  } cases[] = {
      {"plain text, 'quoted' \"x\"", "plain text, 'quoted' \"x\""},
      {"a\\b\tc\nd\re", "a\\\\b\\tc\\nd\\re"},
      {std::string_view("a\0b", 3), "ab"},
      {"caf\xc3\xa9", "caf\xc3\xa9"},                // UTF-8 stays
      {"caf\xe9 \x80", "caf\xc3\xa9 \xe2\x82\xac"},  // windows-1252 is read
      {"\x81\x8d\x8f\x90\x9d", "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d"},
  };
  for (const auto& c : cases) {
    std::string out;
    append_copy_text(out, c.value);
    EXPECT_EQ(out, c.field) << c.value;
  }
}

TEST(PostgresqlTable, OnlyDecimalNumbersStayNumbers) {
  const std::string long_digits(131072, '9');
  const struct {
    std::string value;
    bool number;
  } cases[] = {
      {"0", true},     {"-12", true},       {"+3.25", true},
      {".5", true},    {"7.", true},        {"", false},
      {"-", false},    {".", false},        {"1e5", false},
      {" 1", false},   {"#20", false},      {"1.2.3", false},
      {"0x1F", false}, {long_digits, true}, {long_digits + "9", false},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(append_copy_number(out, c.value), c.number) << c.value;
    EXPECT_EQ(out, c.number ? c.value : "\\N") << c.value;
  }
}

}  // namespace
}  // namespace qz
