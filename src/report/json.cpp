#include "report/json.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/json.h"
#include "core/text_encoding.h"
#include "report/summary.h"
#include "report/text.h"

namespace qz::report {
namespace {

// Writes JSON text, with the commas between members and elements.
class Json {
 public:
  explicit Json(std::string& out) : out_(out) {}

  void open(char bracket) {
    separate();
    out_ += bracket;
    first_.push_back(true);
  }
  void close(char bracket) {
    first_.pop_back();
    out_ += bracket;
  }
  Json& key(std::string_view name) {
    separate();
    append_json_string(out_, name);
    out_ += ':';
    after_key_ = true;
    return *this;
  }
  void number(long long value) {
    separate();
    out_ += std::to_string(value);
  }
  void number(double value) {
    separate();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    out_ += text;
  }
  void text(std::string_view value) {
    separate();
    append_json_string(out_, utf8_from_utf8_or_windows1252(value));
  }
  void null() {
    separate();
    out_ += "null";
  }

 private:
  void separate() {
    if (after_key_) {
      after_key_ = false;
      return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
  std::string& out_;
  std::vector<bool> first_;
  bool after_key_ = false;
};

// Calls `write` between braces; the object goes where the writer stands.
template <typename Write>
void object(Json& json, Write write) {
  json.open('{');
  write();
  json.close('}');
}

template <typename Write>
void array(Json& json, Write write) {
  json.open('[');
  write();
  json.close(']');
}

// `write(value)` for a value, null for an absent one.
template <typename Value, typename Write>
void optional_value(Json& json, const std::optional<Value>& value, Write write) {
  if (value) {
    write(*value);
  } else {
    json.null();
  }
}

void build(Json& json, const Build& build) {
  object(json, [&] {
    json.key("githash").text(build.githash);
    json.key("date").text(build.date);
    json.key("time").text(build.time);
  });
}

void ratio(Json& json, const std::optional<Ratio>& value) {
  optional_value(json, value, [&](const Ratio& ratio) {
    object(json, [&] {
      json.key("covered").number(ratio.covered);
      json.key("coverable").number(ratio.coverable);
      json.key("percent");
      if (const auto percent = ratio.percent()) {
        json.number(rounded_percent(*percent));
      } else {
        json.null();
      }
    });
  });
}

void ratio_member(Json& json, std::string_view name, const std::optional<Ratio>& value) {
  json.key(name);
  ratio(json, value);
}

void figures(Json& json, const BuildFigures& figures) {
  object(json, [&] {
    json.key("tests");
    optional_value(json, figures.tests, [&](const TestCounts& tests) {
      object(json, [&] {
        json.key("passed").number(tests.passed);
        json.key("failed").number(tests.failed);
      });
    });
    json.key("coverage");
    if (figures.coverage.empty()) {
      json.null();
    } else {
      array(json, [&] {
        for (const auto& tool : figures.coverage) {
          object(json, [&] {
            json.key("tool").text(tool.first);
            ratio_member(json, "C0", tool.second.c0);
            ratio_member(json, "C1", tool.second.c1);
          });
        }
      });
    }
    json.key("compiler");
    optional_value(json, figures.compiler, [&](const CompilerCounts& compiler) {
      object(json, [&] {
        json.key("errors").number(compiler.errors);
        json.key("warnings").number(compiler.warnings);
      });
    });
    json.key("qac");
    optional_value(json, figures.qac, [&](const QacCounts& qac) {
      object(json, [&] {
        json.key("levels");
        array(json, [&] {
          for (const long long level : qac.levels) json.number(level);
        });
        json.key("his").number(qac.his);
        json.key("total").number(qac.total());
      });
    });
    json.key("memory");
    optional_value(json, figures.memory, [&](const std::map<std::string, long long>& sections) {
      object(json, [&] {
        json.key("total").number(memory_total(sections));
        json.key("sections");
        array(json, [&] {
          for (const auto& section : sections) {
            object(json, [&] {
              json.key("section").text(section.first);
              json.key("bytes").number(section.second);
            });
          }
        });
      });
    });
  });
}

void optional_figures(Json& json, const BuildFigures* value) {
  if (value == nullptr) return json.null();
  figures(json, *value);
}

// A change list: its full count, then its first entries.
template <typename Entry, typename Write>
void change_list(Json& json, std::string_view name, const std::optional<ChangeList<Entry>>& list,
                 Write write_entry, std::optional<long long> places = std::nullopt) {
  json.key(name);
  optional_value(json, list, [&](const ChangeList<Entry>& changes) {
    object(json, [&] {
      json.key("count").number(static_cast<long long>(changes.count));
      if (places) json.key("places").number(*places);
      json.key("entries");
      array(json, [&] {
        for (const Entry& entry : changes.entries) object(json, [&] { write_entry(entry); });
      });
    });
  });
}

void changes(Json& json, const Changes& changes) {
  auto test = [&](const TestChange& change) {
    json.key("type").text(change.type);
    json.key("name").text(change.name);
  };
  auto warning = [&](const WarningChange& change) {
    json.key("filename").text(change.filename);
    json.key("type").text(change.type);
    json.key("error_id").text(change.error_id);
    json.key("error_num").text(change.error_num);
    json.key("places_before").number(change.places_before);
    json.key("places_now").number(change.places_now);
  };
  auto count = [&](std::string_view name) {
    return [&json, name](const CountChange& change) {
      json.key(name).text(change.name);
      json.key("before").number(change.before);
      json.key("now").number(change.now);
    };
  };
  auto fall = [&](const CoverageFall& change) {
    json.key("tool").text(change.tool);
    json.key("function").text(change.function);
    ratio_member(json, "C0_before", change.before.c0);
    ratio_member(json, "C0_now", change.now.c0);
    ratio_member(json, "C1_before", change.before.c1);
    ratio_member(json, "C1_now", change.now.c1);
  };
  object(json, [&] {
    change_list(json, "tests_newly_failing", changes.newly_failing, test);
    change_list(json, "tests_newly_passing", changes.newly_passing, test);
    change_list(json, "tests_added", changes.added_tests, test);
    change_list(json, "tests_removed", changes.removed_tests, test);
    change_list(json, "warnings_new", changes.new_warnings, warning, changes.new_places);
    change_list(json, "warnings_fixed", changes.fixed_warnings, warning, changes.fixed_places);
    change_list(json, "qac_files", changes.qac_files, count("filename"));
    change_list(json, "coverage_falls", changes.coverage_falls, fall);
    change_list(json, "memory_sections", changes.sections, count("section"));
    change_list(json, "memory_modules", changes.modules, count("module"));
  });
}

void section(Json& json, const Section& section) {
  object(json, [&] {
    json.key("project").text(section.project);
    json.key("platform").text(section.platform);
    json.key("builds_in_database").number(static_cast<long long>(section.build_count));
    json.key("summary").text(summary_line(section));
    json.key("judged");
    optional_value(json, section.judged() ? std::optional(*section.judged()) : std::nullopt,
                   [&](const Build& judged) { build(json, judged); });
    json.key("figures");
    optional_figures(json, section.judged_figures());
    json.key("previous");
    optional_value(json, section.previous, [&](const Build& previous) { build(json, previous); });
    json.key("previous_figures");
    optional_figures(json, section.previous_figures ? &*section.previous_figures : nullptr);
    json.key("trend");
    array(json, [&] {
      for (std::size_t i = 0; i < section.builds.size(); ++i) {
        object(json, [&] {
          json.key("build");
          build(json, section.builds[i]);
          json.key("figures");
          figures(json, section.figures[i]);
        });
      }
    });
    json.key("changes");
    if (section.previous_figures) {
      changes(json, section.changes);
    } else {
      json.null();
    }
  });
}

}  // namespace

std::string report_json(const History& history, std::span<const Gate> gates,
                        std::span<const std::vector<GateFailure>> failures) {
  std::string out;
  Json json(out);
  object(json, [&] {
    json.key("tables_found").number(static_cast<long long>(history.tables_found));
    json.key("sections");
    array(json, [&] {
      for (const Section& each : history.sections) section(json, each);
    });
    json.key("gates");
    array(json, [&] {
      for (const Gate gate : gates) json.text(gate_name(gate));
    });
    json.key("failed_gates");
    array(json, [&] {
      for (std::size_t i = 0; i < failures.size(); ++i) {
        for (const GateFailure& failure : failures[i]) {
          object(json, [&] {
            json.key("condition").text(gate_name(failure.gate));
            json.key("project").text(history.sections[i].project);
            json.key("platform").text(history.sections[i].platform);
            json.key("detail").text(failure.detail);
          });
        }
      }
    });
  });
  return out + "\n";
}

}  // namespace qz::report
