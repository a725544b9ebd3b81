#include "importers/build/warning_importers.h"

#include <gtest/gtest.h>

#include "importers/build/warning_tricore.h"
#include "support/run_importer.h"

namespace qz {
namespace {

constexpr std::string_view kCreate =
    "create table if not exists compiler_results (platform, project, githash, date, time, "
    "filename, line INTEGER, type, error_id, error_num INTEGER);\n";

std::string row(std::string_view values) {
  return "insert into compiler_results (platform, project, githash, date, time, filename, line, "
         "type, error_id, error_num) values (" +
         test::quoted_run_values(false) + ", " + std::string(values) + ");\n";
}

TEST(ImportWarning, QuotesEveryValueAndDerivesTheErrorNumber) {
  const std::string input =
      "Compiling main.c\r\n"
      "\"../Src/app/main.c\", line 42: warning #552-D:\r\n"
      "\"../Src/app/main.c\", line 42: warning #552-D: variable \"x\" was set but never used\n"
      "\"../Src/app/main.c\", line 42: warning #552-D:\n"
      "\"a/Src/b.c\", line 3: warning :";
  const test::ImportOutcome outcome =
      test::run_importer(import_warning, test::sample_settings(), input);
  const std::string expected = std::string(kCreate) +
                               row(R"("app/main.c", "42", "warning", "#552-D", "552")") +
                               row(R"("app/main.c", "42", "warning", "#552-D", "552")") +
                               row(R"("b.c", "3", "warning", "", "")");
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output, expected);
  EXPECT_EQ(outcome.stdout_text, expected);
}

TEST(ImportWarningKeil, KeepsTheMessageAndWritesABareZero) {
  const std::string input =
      "../Src/main.c:12:5: note: expanded from here\n"
      "../Src/main.c:12:5: warning: format \"%d\" expects 'int'";
  const test::ImportOutcome outcome =
      test::run_importer(import_warning_keil, test::sample_settings(), input);
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output,
            std::string(kCreate) +
                row(R"("main.c", "12", "warning", "format ""%d"" expects 'int'", 0)"));
}

TEST(ImportWarningTricore, WritesTheFixedTypeTheMessageAndTheNumber) {
  const std::string input =
      "ctc W527: [\"..\\Src\\drv\\can.c\" 88/12] constant \"MAX\" is out of range\r\n"
      "ctc E100: [\"..\\Src\\drv\\can.c\" 88/12] fatal\n"
      "ctc W501: [\"../Src/app.c\" 3/1] ";
  const test::ImportOutcome outcome =
      test::run_importer(import_warning_tricore, test::sample_settings(), input);
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output,
            std::string(kCreate) +
                row(R"("drv/can.c", "88", "Warning", "constant 'MAX' is out of range", "527")") +
                row(R"("app.c", "3", "Warning", "", "501")"));
}

TEST(WarningImporters, WithoutDiagnosticsWriteTheCreateStatementAlone) {
  for (const Importer importer : {import_warning, import_warning_keil, import_warning_tricore}) {
    for (const std::string_view input : {"", "\r\n", "Build succeeded.\n"}) {
      const test::ImportOutcome outcome = test::run_importer(importer, test::sample_settings(), input);
      EXPECT_TRUE(outcome.ok);
      EXPECT_EQ(outcome.output, kCreate);
      EXPECT_EQ(outcome.stdout_text, kCreate);
    }
  }
}

}  // namespace
}  // namespace qz
