#include "importers/build/map_importers.h"

#include <gtest/gtest.h>

#include "support/run_importer.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

constexpr std::string_view kCreate =
    "create table if not exists compiler_map (platform, project, githash, date, time, originhex, "
    "origindec INT, sizehex, sizedec INT, section, filename);\n";

std::string row(std::string_view values) {
  return "insert into compiler_map (platform, project, githash, date, time, originhex, origindec, "
         "sizehex, sizedec, section, filename) values (" +
         test::quoted_run_values(false) + ", " + std::string(values) + ");\n";
}

TEST(ImportMap, WritesOneRowPerEntryInInputOrderAndEchoesTheScript) {
  // CR LF line ends, noise, a repeated entry, and a last line without a line feed.
  const std::string input =
      "Memory map\r\n"
      "00001000+0001a0 .text main.o\r\n"
      "  00002000+000010 .bss x.o\n"
      "00001000+0001a0 .text main.o\n"
      "80000000+000004 .data -> .sdata \"q\".o";
  const test::ImportOutcome outcome = test::run_importer(import_map, test::sample_settings(), input);
  const std::string expected =
      std::string(kCreate) +
      row(R"("00001000", "4096", "0001a0", "416", ".text", "main.o")") +
      row(R"("00001000", "4096", "0001a0", "416", ".text", "main.o")") +
      row(R"("80000000", "2147483648", "000004", "4", ".data -> .sdata", """q"".o")");
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output, expected);
  EXPECT_EQ(outcome.stdout_text, expected);
}

TEST(ImportKeilMap, DerivesTheHexSizeFromTheDecimalOne) {
  const std::string input =
      "    Symbol Name                              Value     Ov Type        Size  Object(Section)\n"
      "    main                                     0x08000151   Thumb Code    40  main.o(.text.main)\n"
      "    buf                                      0x20000000   Data         236  buf.o(.bss.buf)";
  const test::ImportOutcome outcome =
      test::run_importer(import_keil_map, test::sample_settings(), input);
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output,
            std::string(kCreate) +
                row(R"("08000151", "134218065", "28", "40", ".text.main", "main.o")") +
                row(R"("20000000", "536870912", "ec", "236", ".bss.buf", "buf.o")"));
}

TEST(MapImporters, WithoutEntriesWriteTheCreateStatementAlone) {
  for (const Importer importer : {import_map, import_keil_map}) {
    for (const std::string_view input : {"", "\n", "no map here\r\n"}) {
      const test::ImportOutcome outcome = test::run_importer(importer, test::sample_settings(), input);
      EXPECT_TRUE(outcome.ok);
      EXPECT_EQ(outcome.output, kCreate);
      EXPECT_EQ(outcome.stdout_text, kCreate);
    }
  }
}

TEST(MapImporters, ReportAnOutputThatCannotBeWritten) {
  test::TempDir dir;
  RunSettings settings = test::sample_settings();
  settings.input = dir.write("in.map", "00001000+0001a0 .text main.o\n");
  settings.output = dir.file("missing/out.sql");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(import_map(settings));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            std::string(kCreate) + row(R"("00001000", "4096", "0001a0", "416", ".text", "main.o")"));
}

}  // namespace
}  // namespace qz
