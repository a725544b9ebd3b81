#include "output/quote_value.h"

#include <gtest/gtest.h>

#include "support/sqlite_db.h"

namespace qz {
namespace {

TEST(QuoteValue, WrapsInDoubleQuotesDoublesInnerQuotesAndDropsNulBytes) {
  const std::pair<std::string, std::string> cases[] = {
      {"", R"("")"},
      {"abc", R"("abc")"},
      {"\"", R"("""")"},
      {"a\"b", R"("a""b")"},
      {"\"\"x\"", R"("""""x""")"},
      {"it's \\ \xe9", "\"it's \\ \xe9\""},
      {std::string("a\0b\0", 4), R"("ab")"},
      {std::string("\0\"\0", 3), R"("""")"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(quote_value(value), expected) << value;
}

TEST(QuoteValue, ValuesWithQuotesLoadIntoSqliteIntact) {
  const std::string values[] = {"a\"b", "\"", "x\"); drop table t; --", "'", ""};
  test::SqliteDb db;
  ASSERT_EQ(db.run_script("create table t (v);"), "");
  for (const std::string& value : values) {
    ASSERT_EQ(db.run_script("insert into t (v) values (" + quote_value(value) + ");"), "") << value;
  }
  const auto rows = db.query("select v from t order by rowid;");
  ASSERT_EQ(rows.size(), std::size(values));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], values[i]);
}

}  // namespace
}  // namespace qz
