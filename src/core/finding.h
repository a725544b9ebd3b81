#pragma once

#include <cstdint>
#include <string_view>

namespace qz {

enum class FindingLevel { kError, kWarning, kNote };

// One finding of a compiler or an analyser at a place in a source file, as
// an importer hands it on besides its own output. The texts are views,
// valid during the call that hands the finding on.
struct Finding {
  std::string_view file;     // as the script, report or page names it; empty: no place
  std::uint32_t line = 0;    // from 1; 0: not known
  std::uint32_t column = 0;  // from 1; 0: not known
  std::string_view rule_id;  // empty: none
  FindingLevel level = FindingLevel::kWarning;
  std::string_view message;
  int priority = -1;  // the analyser's priority of the rule; -1: none
};

// Where findings go besides the run's output (a SARIF log).
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void add(const Finding& finding) = 0;
};

}  // namespace qz
