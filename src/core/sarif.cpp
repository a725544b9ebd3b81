#include "core/sarif.h"

#include "core/file_uri.h"
#include "core/json.h"
#include "core/text_encoding.h"
#include "core/util.h"

namespace qz {
namespace {

// `text` itself when it is valid UTF-8, else its windows-1252 reading,
// kept in `storage`.
std::string_view as_utf8(std::string_view text, std::string& storage) {
  if (is_valid_utf8(text)) return text;
  storage = utf8_from_utf8_or_windows1252(text);
  return storage;
}

void append_json_text(std::string& out, std::string_view text) {
  std::string storage;
  append_json_string(out, as_utf8(text, storage));
}

void append_property(std::string& out, std::string_view name, std::string_view text) {
  out += '"';
  out += name;
  out += "\": ";
  append_json_text(out, text);
}

void append_number(std::string& out, std::uint64_t value) { out += DecimalText(value).view(); }

// The log's head, up to the opening of the results. The program is told
// no repository address, but the schema wants one beside the revision: the
// project name stands for it.
void write_head(Output& out, const RunSettings& settings) {
  const RunTimestamp& now = run_timestamp();
  out.line("{");
  out.line(R"(  "$schema": "https://json.schemastore.org/sarif-2.1.0.json",)");
  out.line(R"(  "version": "2.1.0",)");
  out.line(R"(  "runs": [)");
  out.line("    {");
  std::string& text = out.text();
  text += "      \"properties\": {";
  append_property(text, "platform", settings.platform);
  text += ", ";
  append_property(text, "project", settings.project_name);
  text += ", ";
  append_property(text, "tool", settings.tool_name);
  text += ", ";
  append_property(text, "hash", settings.hash_value);
  text += ", ";
  append_property(text, "timestamp", now.date + "T" + now.time);
  text += "},";
  out.end_line();
  std::string project;
  text += R"(      "versionControlProvenance": [{"repositoryUri": "urn:qztestresult:project:)";
  append_percent_encoded(text, as_utf8(settings.project_name, project));
  text += "\", ";
  append_property(text, "revisionId", settings.hash_value);
  text += "}],";
  out.end_line();
  out.line(R"(      "results": [)");
}

void append_location(std::string& out, const FileUri& uri, const Finding& finding) {
  out += R"(, "locations": [{"physicalLocation": {"artifactLocation": {"uri": )";
  append_json_string(out, uri.uri);
  if (uri.relative) out += R"(, "uriBaseId": "SRCROOT")";
  out += '}';
  if (finding.line > 0) {
    out += R"(, "region": {"startLine": )";
    append_number(out, finding.line);
    if (finding.column > 0) {
      out += R"(, "startColumn": )";
      append_number(out, finding.column);
    }
    out += '}';
  }
  out += "}}]";
}

}  // namespace

std::string_view sarif_level(FindingLevel level) {
  switch (level) {
    case FindingLevel::kError:
      return "error";
    case FindingLevel::kNote:
      return "note";
    case FindingLevel::kWarning:
      break;
  }
  return "warning";
}

std::string finding_fingerprint(std::string_view uri, std::string_view level,
                                std::string_view rule_id, std::string_view message) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::string_view text : {uri, level, rule_id, message}) {
    for (const char c : text) {
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    hash *= 1099511628211ULL;  // the NUL byte behind each text
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string digits(16, '0');
  for (std::size_t at = digits.size(); at-- > 0; hash >>= 4) digits[at] = kHex[hash & 0xF];
  return digits;
}

SarifLog::SarifLog(File& file, const RunSettings& settings, std::string_view tool_name,
                   std::string_view tool_version)
    : out_(file, Output::Echo::kNone, RunError::Step::kWriteSarif),
      tool_name_(tool_name),
      tool_version_(tool_version) {
  write_head(out_, settings);
}

std::uint32_t SarifLog::rule_index(std::string_view id, std::string_view message,
                                   const Finding& finding) {
  if (const auto known = rule_indexes_.find(id); known != rule_indexes_.end()) {
    return known->second;
  }
  const auto index = static_cast<std::uint32_t>(rules_.size());
  const Rule& rule = rules_.emplace_back(
      Rule{std::string(id), std::string(message), finding.level, finding.priority});
  rule_indexes_.emplace(rule.id, index);
  return index;
}

void SarifLog::add(const Finding& finding) {
  std::string rule_storage;
  std::string message_storage;
  const std::string_view level = sarif_level(finding.level);
  // A finding without a rule of its own counts under its level.
  const std::string_view rule_id =
      finding.rule_id.empty() ? level : as_utf8(finding.rule_id, rule_storage);
  const std::string_view message = as_utf8(finding.message, message_storage);
  if (finding.file != last_file_ || !any_result_) {
    last_file_.assign(finding.file);
    last_uri_ = file_uri(finding.file);
  }

  std::string& out = out_.text();
  if (any_result_) {
    out += ',';
    out_.end_line();
  }
  any_result_ = true;
  out += R"(        {"ruleId": )";
  append_json_string(out, rule_id);
  out += R"(, "ruleIndex": )";
  append_number(out, rule_index(rule_id, message, finding));
  out += R"(, "level": ")";
  out += level;
  out += R"(", "message": {"text": )";
  append_json_string(out, message);
  out += '}';
  if (!finding.file.empty()) append_location(out, last_uri_, finding);
  out += R"(, "partialFingerprints": {")";
  out += kFingerprintKey;
  out += R"(": ")";
  out += finding_fingerprint(last_uri_.uri, level, rule_id, message);
  out += "\"}}";
}

void SarifLog::write_rules() {
  std::string& out = out_.text();
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    const Rule& rule = rules_[i];
    out += R"(            {"id": )";
    append_json_string(out, rule.id);
    // Review services show a rule with its description; the program knows
    // none but what its findings say.
    out += R"(, "shortDescription": {"text": )";
    append_json_string(out, rule.description);
    out += R"(}, "defaultConfiguration": {"level": ")";
    out += sarif_level(rule.level);
    out += "\"}";
    if (rule.priority >= 0) {
      out += R"(, "properties": {"priority": )";
      append_number(out, static_cast<std::uint64_t>(rule.priority));
      out += '}';
    }
    out += '}';
    if (i + 1 < rules_.size()) out += ',';
    out_.end_line();
  }
}

void SarifLog::finish() {
  if (any_result_) out_.end_line();
  out_.line("      ],");
  out_.line(R"(      "tool": {)");
  out_.line(R"(        "driver": {)");
  std::string& out = out_.text();
  out += "          ";
  append_property(out, "name", tool_name_);
  out += ',';
  out_.end_line();
  out += "          ";
  append_property(out, "version", tool_version_);
  out += ',';
  out_.end_line();
  out_.line(R"(          "rules": [)");
  write_rules();
  out_.line("          ]");
  out_.line("        }");
  out_.line("      }");
  out_.line("    }");
  out_.line("  ]");
  out_.line("}");
  out_.finish();
}

}  // namespace qz
