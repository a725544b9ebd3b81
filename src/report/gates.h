#pragma once

// The conditions of --fail-on, checked on the judged build against the
// previous one.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/figures.h"

namespace qz::report {

enum class Gate { kFailedTests, kNewFailures, kNewWarnings, kCoverageDrop, kNewFindings };

// "failed-tests", "new-failures", "new-warnings", "coverage-drop",
// "new-findings".
std::string_view gate_name(Gate gate);
std::optional<Gate> find_gate(std::string_view name);
// The names, joined by ", ".
std::string known_gates();

// A drop of C0 or C1 smaller than this many points is noise.
inline constexpr double kCoverageDropPoints = 0.1;

struct GateFailure {
  Gate gate;
  std::string detail;  // which build, and what holds
};

// The conditions among `gates` that hold for the section, in the order
// asked. With no previous build only failed-tests can hold.
std::vector<GateFailure> failed_gates(const Section& section, std::span<const Gate> gates);

// "<project> <platform> <githash>", as summary lines and gate details begin.
std::string build_title(const Section& section);

}  // namespace qz::report
