#include "report/gates.h"

#include <array>

#include "report/text.h"

namespace qz::report {
namespace {

constexpr std::array<std::pair<Gate, std::string_view>, 5> kGateNames{{
    {Gate::kFailedTests, "failed-tests"},
    {Gate::kNewFailures, "new-failures"},
    {Gate::kNewWarnings, "new-warnings"},
    {Gate::kCoverageDrop, "coverage-drop"},
    {Gate::kNewFindings, "new-findings"},
}};

// A gate's line names a few of what it found, so that it stays one line.
constexpr std::size_t kNamedItems = 5;

// The first few of `items`, comma-separated, and how many of `count` in all
// are left.
std::string listed(const std::vector<std::string>& items, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < items.size() && i < kNamedItems; ++i) {
    text += (i == 0 ? "" : ", ") + items[i];
  }
  if (count > kNamedItems) text += " and " + std::to_string(count - kNamedItems) + " more";
  return text;
}

std::optional<std::string> failed_tests(const BuildFigures& now) {
  if (!now.tests || now.tests->failed == 0) return std::nullopt;
  return counted(now.tests->failed, "failed test", "failed tests");
}

std::optional<std::string> new_failures(const Section& section) {
  const auto& failing = section.changes.newly_failing;
  if (!failing || failing->count == 0) return std::nullopt;
  std::string detail =
      counted(static_cast<long long>(failing->count), "test fails", "tests fail") +
      " that passed in " + short_hash(section.previous->githash) + ": ";
  std::vector<std::string> names;
  for (std::size_t i = 0; i < failing->entries.size() && i < kNamedItems; ++i) {
    names.push_back(shown_name(failing->entries[i].name));
  }
  return detail + listed(names, failing->count);
}

std::optional<std::string> new_warnings(const Section& section) {
  const auto& added = section.changes.new_warnings;
  if (!added || added->count == 0) return std::nullopt;
  return counted(section.changes.new_places, "place", "places") +
         " with a warning or error that " + short_hash(section.previous->githash) +
         " did not have";
}

// Each C0 or C1 of a tool that fell by the noise limit or more.
std::optional<std::string> coverage_drop(const BuildFigures& before, const BuildFigures& now) {
  std::vector<std::string> drops;
  auto check = [&](const std::string& tool, const char* name, const std::optional<Ratio>& was,
                   const std::optional<Ratio>& is) {
    const auto was_percent = was ? was->percent() : std::nullopt;
    const auto is_percent = is ? is->percent() : std::nullopt;
    if (!was_percent || !is_percent) return;
    // The tolerance keeps a drop of exactly 0.1 points a drop.
    if (*was_percent - *is_percent < kCoverageDropPoints - 1e-9) return;
    drops.push_back(shown_name(tool) + " " + name + " " + percent_text(*is_percent) + " (" +
                    signed_points(*is_percent - *was_percent) + ")");
  };
  for (const auto& [tool, coverage] : now.coverage) {
    const auto earlier = before.coverage.find(tool);
    if (earlier == before.coverage.end()) continue;
    check(tool, "C0", earlier->second.c0, coverage.c0);
    check(tool, "C1", earlier->second.c1, coverage.c1);
  }
  if (drops.empty()) return std::nullopt;
  return listed(drops, drops.size());
}

std::optional<std::string> new_findings(const BuildFigures& before, const BuildFigures& now) {
  if (!before.qac || !now.qac || now.qac->total() <= before.qac->total()) return std::nullopt;
  return "QAC " + grouped(now.qac->total()) + " findings (" +
         signed_count(now.qac->total() - before.qac->total()) + ")";
}

std::optional<std::string> check_gate(Gate gate, const Section& section) {
  const BuildFigures& now = *section.judged_figures();
  if (gate == Gate::kFailedTests) return failed_tests(now);
  if (!section.previous_figures) return std::nullopt;
  const BuildFigures& before = *section.previous_figures;
  switch (gate) {
    case Gate::kNewFailures:
      return new_failures(section);
    case Gate::kNewWarnings:
      return new_warnings(section);
    case Gate::kCoverageDrop:
      return coverage_drop(before, now);
    case Gate::kNewFindings:
      return new_findings(before, now);
    case Gate::kFailedTests:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::string_view gate_name(Gate gate) {
  for (const auto& [known, name] : kGateNames) {
    if (known == gate) return name;
  }
  return {};
}

std::optional<Gate> find_gate(std::string_view name) {
  for (const auto& [gate, known] : kGateNames) {
    if (known == name) return gate;
  }
  return std::nullopt;
}

std::string known_gates() {
  std::string names;
  for (const auto& [gate, name] : kGateNames) names += (names.empty() ? "" : ", ") + std::string(name);
  return names;
}

std::string build_title(const Section& section) {
  std::string title = shown_name(section.project) + " " + shown_name(section.platform);
  if (const Build* judged = section.judged()) title += " " + shown_name(judged->githash);
  return title;
}

std::vector<GateFailure> failed_gates(const Section& section, std::span<const Gate> gates) {
  std::vector<GateFailure> failures;
  if (section.judged() == nullptr) return failures;
  for (const Gate gate : gates) {
    if (auto detail = check_gate(gate, section)) {
      failures.push_back({gate, build_title(section) + ": " + *detail});
    }
  }
  return failures;
}

}  // namespace qz::report
