#include "report/row_values.h"

#include <gtest/gtest.h>

namespace qz::report {
namespace {

// SQLite gives integers and texts, PostgreSQL numerics such as "12.000".
TEST(NumberOf, TakesWholeNumbersOfEitherDatabase) {
  const struct {
    std::optional<std::string_view> value;
    std::optional<long long> number;
  } cases[] = {
      {"12", 12},       {"-3", -3},          {"12.000", 12},       {"12.", 12},
      {"0", 0},         {std::nullopt, {}},  {"", {}},             {"12.5", {}},
      {"12abc", {}},    {"abc", {}},         {" 12", {}},          {"99999999999999999999", {}},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(number_of(test.value), test.number) << test.value.value_or("NULL");
  }
}

TEST(AddCoverage, LeavesOutFiguresWithoutACoverableCount) {
  const std::optional<std::string_view> gcov[] = {"1251", "1532", "", std::nullopt};
  const std::optional<std::string_view> ctc[] = {"62", "72", "19", "26"};
  ToolCoverage coverage;
  add_coverage(coverage, gcov, 0);
  EXPECT_FALSE(coverage.c1.has_value());
  add_coverage(coverage, ctc, 0);
  ASSERT_TRUE(coverage.c0 && coverage.c1);
  EXPECT_EQ(coverage.c0->covered, 1313);
  EXPECT_EQ(coverage.c0->coverable, 1604);
  EXPECT_EQ(coverage.c1->covered, 19);
}

}  // namespace
}  // namespace qz::report
