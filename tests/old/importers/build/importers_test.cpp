// What the five build-output importers share beyond their line formats; the
// rows themselves are checked by the end-to-end cases.
#include <gtest/gtest.h>

#include <algorithm>

#include "importers/build/map_importers.h"
#include "importers/build/warning_importers.h"
#include "importers/build/warning_tricore.h"
#include "support/run_importer.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

constexpr std::string_view kMapCreate =
    "create table if not exists compiler_map (platform, project, githash, date, time, originhex, "
    "origindec INT, sizehex, sizedec INT, section, filename);\n";

constexpr std::string_view kResultsCreate =
    "create table if not exists compiler_results (platform, project, githash, date, time, "
    "filename, line INTEGER, type, error_id, error_num INTEGER);\n";

struct Case {
  Importer importer;
  std::string_view create;
  std::string_view recognised_line;
};

const Case kCases[] = {
    {import_map, kMapCreate, "00001000+0001a0 .text main.o"},
    {import_keil_map, kMapCreate, "    main  0x08000151   Thumb Code    40  main.o(.text.main)"},
    {import_warning, kResultsCreate, "\"../Src/app/main.c\", line 42: warning #552-D:"},
    {import_warning_keil, kResultsCreate, "../Src/main.c:12:5: warning: x"},
    {import_warning_tricore, kResultsCreate, "ctc W501: [\"../Src/app.c\" 3/1] x"},
};

TEST(BuildImporters, WithoutRecognisedLinesWriteTheCreateStatementAlone) {
  for (const Case& c : kCases) {
    for (const std::string_view input : {"", "\n", "\r\n", "Build succeeded.\n"}) {
      const test::ImportOutcome outcome = test::run_importer(c.importer, test::sample_settings(), input);
      EXPECT_TRUE(outcome.ok);
      EXPECT_EQ(outcome.output, c.create);
      EXPECT_EQ(outcome.stdout_text, c.create);
    }
  }
}

TEST(BuildImporters, ExamineALastLineWithoutLineFeed) {
  for (const Case& c : kCases) {
    const std::string input = std::string(c.recognised_line) + "\r\n" + std::string(c.recognised_line);
    const test::ImportOutcome outcome = test::run_importer(c.importer, test::sample_settings(), input);
    const std::string script = outcome.output;
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 3) << script;
  }
}

TEST(BuildImporters, ReportAnOutputThatCannotBeWrittenButStillEcho) {
  test::TempDir dir;
  RunSettings settings = test::sample_settings();
  settings.output = dir.file("missing/out.sql");
  for (const Case& c : kCases) {
    settings.input = dir.write("input.txt", std::string(c.recognised_line) + "\n");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(c.importer(settings));
    const std::string echoed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(echoed.starts_with(c.create)) << echoed;
    EXPECT_EQ(std::count(echoed.begin(), echoed.end(), '\n'), 2) << echoed;
  }
}

}  // namespace
}  // namespace qz
