#include "core/sql.h"

#include <gtest/gtest.h>

#include "core/line_reader.h"
#include "core/output.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

// What append_quoted adds behind a text that is already there.
std::string sql_text(std::string_view value) {
  std::string out = "(";
  append_quoted(out, value);
  return out.substr(1);
}

TEST(AppendQuoted, WrapsInSingleQuotesDoublesInnerOnesAndDropsNulBytes) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "''"},
      {"abc", "'abc'"},
      {"'", "''''"},
      {"it's", "'it''s'"},
      {"''x'", "'''''x'''"},
      {"a\"b \\ \xe9", "'a\"b \\ \xe9'"},
      {std::string("a\0b\0", 4), "'ab'"},
      {std::string("\0'\0", 3), "''''"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(sql_text(value), expected) << value;
}

TEST(AppendQuoted, ValuesComeBackByteForByteWithOrWithoutDoubleQuotedStrings) {
  const std::string values[] = {
      "a\"b", "'", "x'); drop table t; --", "it's \"x\"; -- y", "\xe9\xff\x80", "", "\"\"", "a;b"};
  for (const auto mode : {test::SqliteDb::DoubleQuotedStrings::kRefused,
                          test::SqliteDb::DoubleQuotedStrings::kAccepted}) {
    test::SqliteDb db(mode);
    ASSERT_EQ(db.run_script("create table t (v);"), "");
    if (mode == test::SqliteDb::DoubleQuotedStrings::kRefused) {
      EXPECT_NE(db.run_script("insert into t (v) values (\"x\");"), "") << "a name, not a text";
    }
    for (const std::string& value : values) {
      ASSERT_EQ(db.run_script("insert into t (v) values (" + sql_text(value) + ");"), "")
          << value;
    }
    const auto rows = db.query("select v from t order by rowid;");
    ASSERT_EQ(rows.size(), std::size(values));
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], values[i]);
  }
}

// A recording database: what SqlScript hands over besides the script (the
// run's values once per table, then the rows).
class RecordedRows : public RowSink {
 public:
  void begin_table(const SqlTable& table, std::span<const SqlValue> run_values) override {
    tables.emplace_back(table.name);
    add_row(run_values);
  }
  void add_row(std::span<const SqlValue> values) override {
    std::string row;
    for (const SqlValue& value : values)
      row += (value.quoted ? "q:" : "b:") + std::string(value.text) + "|";
    rows.push_back(row);
  }
  std::vector<std::string> tables;
  std::vector<std::string> rows;
};

TEST(SqlScript, WritesTheCreateStatementThenOneInsertPerRow) {
  RunSettings settings;
  settings.platform = "P";
  settings.project_name = "Pr";
  settings.tool_name = "T";
  settings.hash_value = "H";
  const RunTimestamp& now = run_timestamp();
  constexpr SqlTable kWithTool{"t", "create table if not exists t (a, b);",
                               "insert into t (a, b) values (", true};
  constexpr SqlTable kWithoutTool{"u", "create table if not exists u (a);",
                                  "insert into u (a) values (", false};
  test::TempDir dir;
  File file = File::open_output(dir.file("out.sql"));
  File no_input;
  LineReader input(no_input);
  Output output(file, Output::Echo::kNone);
  RecordedRows database;
  const qz::Run run{settings, input, output, &database};
  {
    SqlScript script(run, kWithTool);
    script.row({"it's", SqlValue::bare("0")});
  }
  SqlScript(run, kWithoutTool).row({"x"});
  output.finish();

  const std::string stamp = "'" + now.date + "', '" + now.time + "'";
  EXPECT_EQ(test::read_file(dir.file("out.sql")),
            "create table if not exists t (a, b);\n"
            "insert into t (a, b) values ('P', 'Pr', 'T', 'H', " +
                stamp +
                ", 'it''s', 0);\n"
                "create table if not exists u (a);\n"
                "insert into u (a) values ('P', 'Pr', 'H', " +
                stamp + ", 'x');\n");
  const std::string row_stamp = "q:" + now.date + "|q:" + now.time + "|";
  EXPECT_EQ(database.tables, (std::vector<std::string>{"t", "u"}));
  EXPECT_EQ(database.rows, (std::vector<std::string>{"q:P|q:Pr|q:T|q:H|" + row_stamp, "q:it's|b:0|",
                                                     "q:P|q:Pr|q:H|" + row_stamp, "q:x|"}));
}

}  // namespace
}  // namespace qz
