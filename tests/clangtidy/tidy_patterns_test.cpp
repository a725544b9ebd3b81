// The two clang-tidy patterns run on RE2; these tests prove that they accept
// and capture exactly what the ECMAScript originals do.
#include <gtest/gtest.h>

#include "clangtidy/join_message_lines.h"
#include "clangtidy/parse_tidy_message.h"
#include "support/regex_differential.h"

namespace qz {
namespace {

constexpr std::string_view kStartText =
    R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)";
constexpr std::string_view kMessageText =
    R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))";

const std::vector<std::string> kSeeds = {
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]",
    "    int *p = 0;",
    "             ^",
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;              ^",
    "src/a.cpp:7:3: warning: do not use array subscript [x-y]     a[i] = 0;     ^",
    "include/x.hpp:1:1: warning: header [llvm-header-guard]",
    "include/x.h:1:1: warning: header [llvm-header-guard]",
    "12 warnings generated.",
    "src/b.cpp:3:1: error: unknown type name 'foo' [clang-diagnostic-error]",
    "src/a.c:20:9: note: expanded from macro 'MAX'",
    "C:\\work\\src\\main.cpp:0012:000: warning:\tshadowed [bugprone-x] tail [y] end",
    "a.cpp.h:1:2:  warning:  x [a] b [c] d",
    "a.c.cpp:1:2: warning: x [] y",
    "src/x.cpp:99999999999:1: warning: huge [a]",
    "src/x.cpp:1:2: fatal error: file not found [clang-diagnostic-error]",
    "src/x.CPP:1:2: warning: upper case [a]",
    "src/x.cpp:1:2: warning: no brackets here",
    "src/x.cpp:1:2: warning: ] reversed [",
    "src/x.cpp:1:2:warning: no blank [a]",
    "src/x.cpp::2: warning: no line [a]",
};

TEST(TidyPatterns, StartPatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_start_pattern(), kStartText, test::with_mutations(kSeeds));
}

TEST(TidyPatterns, MessagePatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_message_pattern(), kMessageText,
                                  test::with_mutations(kSeeds));
}

}  // namespace
}  // namespace qz
