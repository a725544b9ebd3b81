#include "report/summary.h"

#include "report/gates.h"
#include "report/text.h"

namespace qz::report {
namespace {

constexpr std::size_t kSummaryTools = 4;

std::string in_parentheses(const std::string& text) { return " (" + text + ")"; }

std::string tests_part(const TestCounts& now, const std::optional<TestCounts>& before) {
  std::string part = "tests " + grouped(now.passed) + " passed, " + grouped(now.failed) + " failed";
  if (before) part += in_parentheses(signed_count(now.failed - before->failed));
  return part;
}

std::string ratio_part(const char* name, const std::optional<Ratio>& now,
                       const std::optional<Ratio>* before) {
  const auto percent = now ? now->percent() : std::nullopt;
  if (!percent) return {};
  std::string part = std::string(name) + " " + percent_text(*percent);
  const auto was = before != nullptr && *before ? (*before)->percent() : std::nullopt;
  if (was) part += in_parentheses(signed_points(*percent - *was));
  return part;
}

std::string coverage_part(const std::string& tool, const ToolCoverage& now,
                          const BuildFigures* before) {
  const ToolCoverage* was = nullptr;
  if (before != nullptr) {
    const auto earlier = before->coverage.find(tool);
    if (earlier != before->coverage.end()) was = &earlier->second;
  }
  const std::string c0 = ratio_part("C0", now.c0, was != nullptr ? &was->c0 : nullptr);
  const std::string c1 = ratio_part("C1", now.c1, was != nullptr ? &was->c1 : nullptr);
  if (c0.empty() && c1.empty()) return {};
  return shown_name(tool) + " " + c0 + (!c0.empty() && !c1.empty() ? ", " : "") + c1;
}

std::string compiler_part(const CompilerCounts& now, const std::optional<CompilerCounts>& before,
                          const Changes& changes) {
  std::string part;
  if (now.errors > 0 || (before && before->errors > 0)) {
    part = "errors " + grouped(now.errors) + ", ";
  }
  part += "warnings " + grouped(now.warnings);
  if (changes.new_warnings) {
    part += " (+" + grouped(changes.new_places) + " new, -" + grouped(changes.fixed_places) +
            " fixed)";
  }
  return part;
}

std::string qac_part(const QacCounts& now, const std::optional<QacCounts>& before) {
  std::string part = "QAC " + grouped(now.total());
  if (before) part += in_parentheses(signed_count(now.total() - before->total()));
  return part;
}

std::string memory_part(const std::map<std::string, long long>& now,
                        const std::optional<std::map<std::string, long long>>& before) {
  std::string part = "memory " + grouped(memory_total(now)) + " bytes";
  if (before) part += in_parentheses(signed_count(memory_total(now) - memory_total(*before)));
  return part;
}

}  // namespace

std::string summary_line(const Section& section) {
  return build_title(section) + ": " + summary_figures(section);
}

std::string summary_figures(const Section& section) {
  if (section.judged() == nullptr) return "no rows of the build that --hash_value names";
  const BuildFigures& now = *section.judged_figures();
  const BuildFigures* before = section.previous_figures ? &*section.previous_figures : nullptr;
  std::vector<std::string> parts;
  if (now.tests) parts.push_back(tests_part(*now.tests, before ? before->tests : std::nullopt));
  std::size_t tools = 0;
  for (const auto& [tool, coverage] : now.coverage) {
    if (tools++ == kSummaryTools) {
      parts.push_back(counted(static_cast<long long>(now.coverage.size() - kSummaryTools),
                              "more coverage tool", "more coverage tools"));
      break;
    }
    if (std::string part = coverage_part(tool, coverage, before); !part.empty()) {
      parts.push_back(std::move(part));
    }
  }
  if (now.compiler) {
    parts.push_back(compiler_part(*now.compiler, before ? before->compiler : std::nullopt,
                                  section.changes));
  }
  if (now.qac) parts.push_back(qac_part(*now.qac, before ? before->qac : std::nullopt));
  if (now.memory) parts.push_back(memory_part(*now.memory, before ? before->memory : std::nullopt));
  if (parts.empty()) return "no figures";
  std::string line = parts.front();
  for (std::size_t i = 1; i < parts.size(); ++i) line += "; " + parts[i];
  return line;
}

}  // namespace qz::report
