#include "core/sarif.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/file_uri.h"
#include "core/json.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

TEST(FileUri, NamesAsToolsWriteThemBecomeValidUriReferences) {
  const struct {
    std::string_view name;
    std::string_view uri;
    bool relative;
  } cases[] = {
      {"app/main.c", "app/main.c", true},
      {"..\\Src\\a b.c", "../Src/a%20b.c", true},
      {"C:\\ws\\x.c", "file:///C:/ws/x.c", false},
      {"d:/a b/\xc3\xa9.c", "file:///d:/a%20b/%C3%A9.c", false},  // UTF-8 stays UTF-8
      {"x\xe9\x80.c", "x%C3%A9%E2%82%AC.c", true},                // windows-1252
      {"/home/u/a.c", "file:///home/u/a.c", false},
      {"\\\\server\\share\\a.c", "file://server/share/a.c", false},
      {"ab:c.c", "ab%3Ac.c", true},  // not a scheme
      {"50%#1?[x].c", "50%25%231%3F%5Bx%5D.c", true},
      {"", "", true},
  };
  for (const auto& c : cases) {
    const FileUri uri = file_uri(c.name);
    EXPECT_EQ(uri.uri, c.uri) << c.name;
    EXPECT_EQ(uri.relative, c.relative) << c.name;
  }
}

TEST(Json, StringsEscapeQuotesBackslashesAndControlCharacters) {
  std::string out;
  append_json_string(out, std::string_view("a\"b\\c\nd\te\x01\x1f\x7f\xc3\xa9\0", 15));
  EXPECT_EQ(out, "\"a\\\"b\\\\c\\nd\\te\\u0001\\u001f\x7f\xc3\xa9\\u0000\"");
}

TEST(Fingerprint, EveryTextCountsAndNoneRunsIntoTheNext) {
  const std::string base = finding_fingerprint("a.c", "warning", "W1", "text");
  EXPECT_EQ(base.size(), 16u);
  // Pinned: services keep fingerprints across versions of the program.
  EXPECT_EQ(finding_fingerprint("app/main.c", "warning", "#552-D", "warning #552-D"),
            "99a4609671764e4d");
  for (const std::string& other : {finding_fingerprint("b.c", "warning", "W1", "text"),
                                   finding_fingerprint("a.c", "error", "W1", "text"),
                                   finding_fingerprint("a.c", "warning", "W2", "text"),
                                   finding_fingerprint("a.c", "warning", "W1", "text2"),
                                   finding_fingerprint("a.c", "warning", "W1t", "ext")}) {
    EXPECT_NE(other, base);
  }
}

// The fingerprints of a log, in result order.
std::vector<std::string> fingerprints(const std::string& log) {
  static const std::regex fingerprint("\"qzFindingHash/v1\": \"([0-9a-f]{16})\"");
  std::vector<std::string> found;
  for (std::sregex_iterator it(log.begin(), log.end(), fingerprint), end; it != end; ++it) {
    found.push_back((*it)[1]);
  }
  return found;
}

TEST(SarifLog, AFindingKeepsItsFingerprintWhenItMovesAndRulesAreListedOnce) {
  test::TempDir dir;
  File file = File::open_output(dir.file("log.sarif"));
  SarifLog log(file, RunSettings{}, "QZTestResult", "1.11");
  const auto add = [&log](std::uint32_t line, std::string_view rule, std::string_view message) {
    log.add(Finding{"Src/a.c", line, 0, rule, FindingLevel::kWarning, message});
  };
  add(3, "W1", "unused x");
  add(90, "W1", "unused x");
  add(90, "W1", "unused y");
  add(7, "W2", "unused x");
  log.finish();
  file.close();
  const std::string text = test::read_file(dir.file("log.sarif"));
  const std::vector<std::string> found = fingerprints(text);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0], found[1]);
  EXPECT_NE(found[1], found[2]);
  EXPECT_NE(found[0], found[3]);
  EXPECT_NE(text.find(R"("rules": [
            {"id": "W1", "shortDescription": {"text": "unused x"}, "defaultConfiguration": {"level": "warning"}},
            {"id": "W2", "shortDescription": {"text": "unused x"}, "defaultConfiguration": {"level": "warning"}}
          ])"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace qz
