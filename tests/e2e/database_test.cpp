// The real program with --database=FILE against real SQLite files: the rows
// it imports are exactly those its script gives, parallel runs all land, and
// a failed or killed import leaves the database as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "formats/formats.h"
#include "support/database_runs.h"
#include "support/program.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

// Every column of every row with its type, in insertion order.
std::vector<std::string> whole_table(SqliteDb& db, const std::string& table) {
  std::string columns;
  for (const std::string& column :
       db.query("select name from pragma_table_info('" + table + "')")) {
    columns += (columns.empty() ? "" : " || '|' || ") + std::string("quote(") + column + ")";
  }
  return db.query("select " + columns + " from " + table + " order by rowid");
}

TEST(Database, ImportsExactlyTheRowsOfTheScriptTwiceAsLoadingItTwiceWould) {
  for (const Format& format : kFormats) {
    if (format.output != OutputKind::kSqlScript) continue;
    SCOPED_TRACE(format.parser_type);
    TempDir work;
    const std::string database = work.file("imported.db");
    const auto arguments =
        with_database(run_arguments(example_path(QZ_EXAMPLES, format.parser_type),
                                    work.file("out.sql"), format.parser_type),
                      database);
    for (int run = 0; run < 2; ++run) {
      ASSERT_EQ(run_program(QZ_PROGRAM, arguments).status, 0);
      const std::string script = read_file(work.file("out.sql"));
      SqliteDb loaded(work.file("loaded.db"));
      ASSERT_EQ(loaded.run_script(script), "");
      SqliteDb imported(database);
      const std::vector<std::string> rows = whole_table(imported, table_of(script));
      EXPECT_FALSE(rows.empty());
      // Each run has its own time stamp; rows of two runs differ in it alone.
      EXPECT_EQ(rows, whole_table(loaded, table_of(script)));
    }
  }
}

TEST(Database, ValuesComeBackAsTheScriptWritesThem) {
  TempDir work;
  // A quote, a NUL byte (which the script leaves out) and bytes above 127.
  static constexpr char kLine[] = "../Src/a.c:1:2: warning: it's \"x\"\0; -- \xe9\n";
  const std::string input = work.write("in.log", std::string(kLine, sizeof kLine - 1));
  const std::string database = work.file("imported.db");
  ASSERT_EQ(run_program(
                QZ_PROGRAM,
                with_database(run_arguments(input, work.file("out.sql"), "Warning_KEIL"), database))
                .status,
            0);
  SqliteDb loaded(work.file("loaded.db"));
  ASSERT_EQ(loaded.run_script(read_file(work.file("out.sql"))), "");
  SqliteDb imported(database);
  EXPECT_EQ(whole_table(imported, "compiler_results"), whole_table(loaded, "compiler_results"));
  EXPECT_EQ(imported.query("select error_id from compiler_results"),
            std::vector<std::string>{"it's \"x\"; -- \xe9"});
}

TEST(Database, ParallelRunsAllLand) {
  TempDir work;
  const std::string database = work.file("shared.db");
  constexpr int kRuns = 8;
  constexpr std::size_t kRows = 20'000;
  std::string command;
  for (int run = 0; run < kRuns; ++run) {
    const std::string input = work.write("in" + std::to_string(run) + ".log",
                                         warning_lines(kRows, "run" + std::to_string(run)));
    const auto arguments = with_database(
        run_arguments(input, work.file("out" + std::to_string(run) + ".sql"), "Warning_KEIL"),
        database);
    command += "timeout 120 " + shell_quote(QZ_PROGRAM);
    for (const std::string& argument : arguments) command += " " + shell_quote(argument);
    command += " >/dev/null 2>&1 || echo failed >> " + shell_quote(work.file("failures")) + " & ";
  }
  ASSERT_EQ(run_shell("bash -c " + shell_quote(command + "wait")), 0);
  EXPECT_FALSE(fs::exists(work.file("failures"))) << read_file(work.file("failures"));
  SqliteDb db(database);
  EXPECT_EQ(db.query("select count(*) from compiler_results"),
            std::vector<std::string>{std::to_string(kRuns * kRows)});
  EXPECT_EQ(db.query("pragma integrity_check"), std::vector<std::string>{"ok"});
}

TEST(Database, AKilledImportLeavesNoneOfItsRows) {
  TempDir work;
  const std::string database = work.file("kept.db");
  {
    SqliteDb db(database);
    ASSERT_EQ(db.run_script("create table earlier (x); insert into earlier values (1);"), "");
  }
  const std::string input = work.write("big.log", warning_lines(1'500'000, "big"));
  // The journal appears when the import's transaction begins to write.
  const std::string journal = database + "-journal";
  ASSERT_TRUE(killed_when(
      QZ_PROGRAM,
      with_database(run_arguments(input, work.file("out.sql"), "Warning_KEIL"), database),
      [&] { return fs::exists(journal); }))
      << "the run ended before it could be killed";
  SqliteDb db(database);
  EXPECT_EQ(db.query("pragma integrity_check"), std::vector<std::string>{"ok"});
  EXPECT_EQ(db.query("select count(*) from sqlite_schema where name = 'compiler_results'"),
            std::vector<std::string>{"0"});
  EXPECT_EQ(db.query("select x from earlier"), std::vector<std::string>{"1"});
}

TEST(Database, AReadOnlyDatabaseFailsButTheScriptIsWritten) {
  TempDir work;
  fs::permissions(work.path(), fs::perms::all);
  const std::string database = work.file("read_only.db");
  {
    SqliteDb db(database);
    ASSERT_EQ(db.run_script("create table earlier (x);"), "");
  }
  fs::permissions(database, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string input = work.write("in.log", warning_lines(3, "ro"));
  // The file system lets root write anyway: run as nobody.
  const std::string as_user =
      getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  const ProgramResult result = run_program(
      QZ_PROGRAM,
      with_database(run_arguments(input, work.file("out.sql"), "Warning_KEIL"), database), as_user);
  EXPECT_EQ(result.status, 250);
  EXPECT_NE(result.stdout_text.find("QZTestResult error: Could not write database: "),
            std::string::npos)
      << result.stdout_text;
  EXPECT_NE(read_file(work.file("out.sql")).find("insert into compiler_results"),
            std::string::npos);
}

TEST(Database, IsRefusedWhereItCannotBeFollowed) {
  TempDir work;
  const std::string input = work.write("in.log", warning_lines(1, "x"));
  const std::string output = work.file("out.sql");
  const struct {
    const char* name;
    std::string_view parser_type;
    std::string database_argument;
    std::string reason;
  } cases[] = {
      {"no value", "Warning_KEIL", "--database", "no database is named (--database=FILE|URI)"},
      {"empty value", "Warning_KEIL", "--database=", "no database is named (--database=FILE|URI)"},
      {"the input", "Warning_KEIL", "--database=" + input, "it is the input file"},
      {"the output", "Warning_KEIL", "--database=" + output, "it is the output file"},
      {"a report", "QAC_full_report", "--database=" + work.file("a.db"),
       "the parser type QAC_full_report writes no SQL"},
      {"a page", "ClangTidy", "--database=" + work.file("a.db"),
       "the parser type ClangTidy writes no SQL"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = run_arguments(input, output, c.parser_type);
    arguments.push_back(c.database_argument);
    const ProgramResult result = run_program(QZ_PROGRAM, arguments);
    EXPECT_EQ(result.status, 250) << c.name;
    EXPECT_TRUE(result.stdout_text.ends_with(
        "QZTestResult error: Could not write database: " + c.reason + "\n"))
        << c.name << ": " << result.stdout_text;
    EXPECT_FALSE(fs::exists(output)) << c.name << ": the output was created";
    EXPECT_FALSE(fs::exists(work.file("a.db"))) << c.name;
  }
}

// A value of --database is a plain file path: none of SQLite's special
// names, whatever the prefix.
TEST(Database, EveryNameIsAPlainFile) {
  for (const std::string name :
       {"file:x.db", ":memory:", "file::memory:", "file:x.db?mode=memory", "file:in.log"}) {
    TempDir work;
    const std::string input = work.write("in.log", "");
    const ProgramResult result = run_program(
        QZ_PROGRAM, with_database(run_arguments("in.log", "out.sql", "Warning_KEIL"), name),
        "cd " + shell_quote(work.path().string()) + " &&");
    EXPECT_EQ(result.status, 0) << name;
    EXPECT_EQ(SqliteDb(work.file(name)).query("select count(*) from compiler_results"),
              std::vector<std::string>{"0"})
        << name;
    EXPECT_EQ(read_file(input), "") << name;
    EXPECT_FALSE(fs::exists(work.file("x.db"))) << name;
  }
}

TEST(Database, ATargetThatCannotBeAFileIsRefusedBeforeTheOutputExists) {
  TempDir work;
  const std::string input = work.write("in.log", warning_lines(1, "x"));
  ASSERT_EQ(mkfifo(work.file("fifo").c_str(), 0600), 0);
  fs::create_directory(work.file("folder"));
  const std::string deep = work.file(std::string(200, 'd')) + "/" + std::string(200, 'd');
  fs::create_directories(deep);
  const struct {
    std::string database;
    std::string reason;
  } cases[] = {
      {"/dev/null", "it is not a regular file"},
      {work.file("fifo"), "it is not a regular file"},
      {work.file("folder"), "it is not a regular file"},
      {deep + "/" + std::string(100, 'x') + ".db",
       "its absolute path is longer than the 504 bytes SQLite takes"},
      {"./out.sql", "it is the output file"},
  };
  for (const auto& c : cases) {
    const ProgramResult result = run_program(
        QZ_PROGRAM, with_database(run_arguments(input, "out.sql", "Warning_KEIL"), c.database),
        "cd " + shell_quote(work.path().string()) + " &&");
    EXPECT_EQ(result.status, 250) << c.database;
    EXPECT_TRUE(result.stdout_text.ends_with(
        "QZTestResult error: Could not write database: " + c.reason + "\n"))
        << result.stdout_text;
    EXPECT_FALSE(fs::exists(work.file("out.sql"))) << c.database;
  }
  EXPECT_FALSE(fs::exists("/dev/null-journal"));
}

TEST(Database, ImportsIntoAUtf16Database) {
  TempDir work;
  const std::string database = work.file("utf16.db");
  {
    SqliteDb db(database);
    ASSERT_EQ(db.run_script("pragma encoding = 'UTF-16le'; create table earlier (x);"), "");
  }
  const std::string input = work.write("in.log", warning_lines(3, "\xc3\xa9"));
  const ProgramResult result = run_program(
      QZ_PROGRAM,
      with_database(run_arguments(input, work.file("out.sql"), "Warning_KEIL"), database));
  ASSERT_EQ(result.status, 0) << result.stdout_text;
  SqliteDb loaded(work.file("loaded.db"));
  ASSERT_EQ(loaded.run_script(read_file(work.file("out.sql"))), "");
  SqliteDb imported(database);
  EXPECT_EQ(whole_table(imported, "compiler_results"), whole_table(loaded, "compiler_results"));
}

}  // namespace
}  // namespace qz::test
