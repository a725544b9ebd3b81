#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/file.h"
#include "core/file_uri.h"
#include "core/finding.h"
#include "core/output.h"
#include "core/run.h"

namespace qz {

// The findings of a run as a SARIF 2.1.0 log of one run, for the review and
// CI services that show findings beside the code. Each result is written as
// it comes, so that memory stays the same whatever the number of findings;
// only the rules met are kept, for the tool's list at the end. Texts that
// are not valid UTF-8 are read as windows-1252.
class SarifLog : public FindingSink {
 public:
  // The run's context (platform, project, tool, hash, time) leads the log.
  SarifLog(File& file, const RunSettings& settings, std::string_view tool_name,
           std::string_view tool_version);

  void add(const Finding& finding) override;

  // Writes the tool with its rules and the rest of the log. Throws RunError
  // (kWriteSarif) when the file could not be written completely.
  void finish();

 private:
  // What the first finding of a rule says about it.
  struct Rule {
    std::string id;
    std::string description;  // its message
    FindingLevel level;
    int priority;
  };
  std::uint32_t rule_index(std::string_view id, std::string_view message, const Finding& finding);
  void write_rules();

  Output out_;
  std::string tool_name_;
  std::string tool_version_;
  std::deque<Rule> rules_;
  std::unordered_map<std::string_view, std::uint32_t> rule_indexes_;  // views rules_
  std::string last_file_;  // findings come file by file: one URI per file
  FileUri last_uri_;
  bool any_result_ = false;
};

// The key and value of a result's partialFingerprints entry: the same for a
// finding of the same file, level, rule and message text wherever it moves
// in the file, so that services tell new findings from old ones. FNV-1a
// (64 bits) over the four UTF-8 texts, each followed by a NUL byte, as
// 16 hexadecimal digits.
inline constexpr std::string_view kFingerprintKey = "qzFindingHash/v1";
std::string finding_fingerprint(std::string_view uri, std::string_view level,
                                std::string_view rule_id, std::string_view message);

// The SARIF name of a level: "error", "warning" or "note".
std::string_view sarif_level(FindingLevel level);

}  // namespace qz
