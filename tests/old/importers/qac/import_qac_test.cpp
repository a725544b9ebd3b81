#include "importers/qac/import_qac.h"

#include <gtest/gtest.h>

#include "importers/qac/qac_test_data.h"
#include "support/run_importer.h"
#include "support/sqlite_db.h"

namespace qz {
namespace {

using test::qac_line;

// Whole outputs of both parser types are compared by the end-to-end cases;
// here the script meets a database, with a file name that needs quoting.
TEST(ImportQac, ScriptLoadsIntoSqliteAndRepeatsAddNoRows) {
  RunSettings settings = test::sample_settings();
  settings.parser_type = "QAC";
  const std::string input = qac_line("D:\\w\\Src_QZ\\a.c", "1", 0, "1", "A") + "\n" +
                            qac_line("D:\\w\\Src_QZ\\a.c", "2", 9, "5399", "B") + "\n" +
                            qac_line("D:\\w\\Src_QZ\\he said \"no\".c", "3", 5, "7", "C") + "\n";
  const test::ImportOutcome outcome = test::run_importer(import_qac, settings, input);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.stdout_text, outcome.output);
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(outcome.output), "");
  ASSERT_EQ(db.run_script(outcome.output), "");
  EXPECT_EQ(db.query("select filename, misra_0, misra_5, misra_9, his from q_results "
                     "order by rowid"),
            (std::vector<std::string>{R"(Hmt4\Src_QZ\a.c|1|0|0|1)",
                                      R"(Hmt4\Src_QZ\he said "no".c|0|1|0|0)"}));
}

}  // namespace
}  // namespace qz
