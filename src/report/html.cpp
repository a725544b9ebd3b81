#include "report/html.h"

#include "core/util.h"
#include "report/text.h"

namespace qz::report {

void append_name(std::string& html, std::string_view name) {
  append_html_escaped(html, shown_name(name));
}

void append_text(std::string& html, std::string_view text) { append_html_escaped(html, text); }

void append_element(std::string& html, std::string_view tag, std::string_view name) {
  html += "<" + std::string(tag) + ">";
  append_name(html, name);
  html += "</" + std::string(tag) + ">";
}

void append_change(std::string& html, std::string_view change, Judgement judgement) {
  switch (judgement) {
    case Judgement::kNeutral:
      html += change;
      return;
    case Judgement::kBetter:
      html += "<font color=\"#1a7f37\">" + std::string(change) + " (better)</font>";
      return;
    case Judgement::kWorse:
      html += "<font color=\"#cf222e\">" + std::string(change) + " (worse)</font>";
      return;
  }
}

}  // namespace qz::report
