#include "driver/dispatch.h"

#include <gtest/gtest.h>

#include "importers/qac/import_qac.h"

namespace qz {
namespace {

TEST(FindImporter, KnowsExactlyTheElevenParserTypes) {
  for (const char* type : {"ClangTidy", "PassFail", "CTC_Coverage", "GCOV_Coverage", "QAC",
                           "QAC_full_report", "Warning", "Warning_KEIL", "Warning_Tricore", "Map",
                           "Map_KEIL"}) {
    EXPECT_NE(find_importer(type), nullptr) << type;
  }
  for (const char* type : {"", "qac", "QAC ", " QAC", "Map_keil", "Warning_", "ClangTid"}) {
    EXPECT_EQ(find_importer(type), nullptr) << '"' << type << '"';
  }
}

TEST(FindImporter, BothQacTypesReachTheQacImporter) {
  EXPECT_EQ(find_importer("QAC"), &import_qac);
  EXPECT_EQ(find_importer("QAC_full_report"), &import_qac);
}

}  // namespace
}  // namespace qz
