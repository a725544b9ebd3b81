#include "core/literal_chain.h"

#include <algorithm>
#include <cctype>

namespace qz {
namespace {

// Index one past the bracket expression that starts at `open`.
std::size_t skip_bracket(std::string_view text, std::size_t open) {
  std::size_t i = open + 1;
  if (i < text.size() && text[i] == '^') ++i;
  for (; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[' && i + 1 < text.size() && text[i + 1] == ':') {
      const std::size_t close = text.find(":]", i + 2);
      if (close == std::string_view::npos) return text.size();
      i = close + 1;
    } else if (text[i] == ']') {
      return i + 1;
    }
  }
  return text.size();
}

// Index one past the group that starts at `open`.
std::size_t skip_group(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[') {
      i = skip_bracket(text, i) - 1;
    } else if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')' && --depth == 0) {
      return i + 1;
    }
  }
  return text.size();
}

bool has_top_level_alternative(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[') {
      i = skip_bracket(text, i) - 1;
    } else if (text[i] == '(') {
      i = skip_group(text, i) - 1;
    } else if (text[i] == '|') {
      return true;
    }
  }
  return false;
}

constexpr std::string_view kSpaces = " \t\n\v\f\r";

bool is_space(char c) { return kSpaces.find(c) != std::string_view::npos; }

// [[:space:]] or \s: the classic white space, as the patterns write it.
bool is_space_class(std::string_view atom) { return atom == "[[:space:]]" || atom == "\\s"; }

constexpr std::string_view kSpecial = ".[](){}*+?|^$\\";

// The literal character at `i`, escaped or plain, and the index behind it;
// false for anything else (a class, a group, an operator).
bool literal_at(std::string_view text, std::size_t i, char& c, std::size_t& next) {
  if (text[i] == '\\') {
    if (i + 1 >= text.size() || std::isalnum(static_cast<unsigned char>(text[i + 1]))) return false;
    c = text[i + 1];
    next = i + 2;
    return true;
  }
  if (kSpecial.find(text[i]) != std::string_view::npos) return false;
  c = text[i];
  next = i + 1;
  return true;
}

// The alternatives of a group made of literal texts only, as "(error|warning)".
bool literal_alternatives(std::string_view group, std::vector<std::string>& alternatives) {
  alternatives.assign(1, std::string());
  for (std::size_t i = 1; i + 1 < group.size();) {
    if (group[i] == '|') {
      alternatives.emplace_back();
      ++i;
      continue;
    }
    char c = 0;
    if (!literal_at(group, i, c, i)) return false;
    alternatives.back() += c;
  }
  return group.size() >= 2 && group[1] != '?';
}

struct Quantifier {
  bool present = false;
  bool required = true;  // at least one repetition
  std::size_t end = 0;   // index behind the quantifier
};

Quantifier quantifier_at(std::string_view text, std::size_t i) {
  Quantifier q{false, true, i};
  if (i >= text.size()) return q;
  const char c = text[i];
  if (c == '*' || c == '?' || c == '+') {
    q = {true, c == '+', i + 1};
  } else if (c == '{') {
    const std::size_t close = text.find('}', i);
    q = {true, i + 1 < text.size() && text[i + 1] != '0' && text[i + 1] != ',',
         close == std::string_view::npos ? text.size() : close + 1};
  }
  if (q.present && q.end < text.size() && text[q.end] == '?') ++q.end;  // lazy
  return q;
}

}  // namespace

LiteralChain::LiteralChain(std::string_view text) {
  if (has_top_level_alternative(text)) return;
  std::string run;
  bool gap_seen = false;              // something other than literals came up
  bool gap_since_step = false;        // ... after the last step
  bool only_space_since_step = true;  // and that was optional white space only
  auto add_step = [&](std::vector<std::string> alternatives) {
    if (steps_.empty()) anchored_start_ = !gap_seen;
    steps_.push_back(std::move(alternatives));
    gap_since_step = false;
    only_space_since_step = true;
  };
  auto end_run = [&] {
    if (!run.empty()) add_step({run});
    run.clear();
  };
  auto gap = [&] {
    end_run();
    gap_seen = gap_since_step = true;
    only_space_since_step = false;
  };
  for (std::size_t i = text.starts_with('^') ? 1 : 0; i < text.size();) {
    char c = 0;
    std::size_t next = i;
    if (literal_at(text, i, c, next)) {
      const Quantifier q = quantifier_at(text, next);
      if (!q.present || q.required) run += c;
      if (q.present) gap();
      i = q.end;
      continue;
    }
    if (text[i] == '$' && i + 1 == text.size()) break;  // the line's end, as always
    if (text[i] == '[') {
      next = skip_bracket(text, i);
    } else if (text[i] == '(') {
      next = skip_group(text, i);
    } else {
      next = std::min(i + (text[i] == '\\' ? 2 : 1), text.size());  // \s, \d: a class
    }
    const Quantifier q = quantifier_at(text, next);
    std::vector<std::string> alternatives;
    if (text[i] == '(' && !q.present &&
        literal_alternatives(text.substr(i, next - i), alternatives)) {
      end_run();
      add_step(std::move(alternatives));
    } else {
      end_run();
      const bool space_only = only_space_since_step && q.present && !q.required &&
                              is_space_class(text.substr(i, next - i));
      gap();
      only_space_since_step = space_only;
    }
    i = q.end;
  }
  end_run();
  anchored_end_ = !steps_.empty() && !gap_since_step;
  longest_step_ = steps_.size();
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    if (steps_[k].size() != 1) continue;  // one of several texts is no single test
    if (longest_step_ == steps_.size() || steps_[k][0].size() > steps_[longest_step_][0].size()) {
      longest_step_ = k;
    }
  }
  // "...:[[:space:]]*": the last step ends the line but for white space.
  ends_before_space_ =
      !steps_.empty() && gap_since_step && only_space_since_step &&
      std::none_of(steps_.back().begin(), steps_.back().end(),
                   [](const std::string& t) { return t.empty() || is_space(t.back()); });
}

bool LiteralChain::may_match(std::string_view line) const {
  if (ends_before_space_) {
    const std::size_t last = line.find_last_not_of(kSpaces);
    line = line.substr(0, last == std::string_view::npos ? 0 : last + 1);
  }
  const bool anchored_end = anchored_end_ || ends_before_space_;
  // The anchored ends cost one comparison each: they go first.
  auto any_of_step = [this](std::size_t step, auto&& test) {
    return std::any_of(steps_[step].begin(), steps_[step].end(), test);
  };
  if (anchored_start_ &&
      !any_of_step(0, [line](const std::string& text) { return line.starts_with(text); })) {
    return false;
  }
  if (anchored_end && !any_of_step(steps_.size() - 1, [line](const std::string& text) {
        return line.ends_with(text);
      })) {
    return false;
  }
  // Then the longest literal anywhere: the rarest in a log, it rejects most
  // of the lines that got this far with one search.
  if (longest_step_ < steps_.size() &&
      line.find(steps_[longest_step_].front()) == std::string_view::npos) {
    return false;
  }
  std::size_t from = 0;
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    const bool first = k == 0 && anchored_start_;
    const bool last = k + 1 == steps_.size() && anchored_end;
    std::size_t earliest_end = std::string_view::npos;
    for (const std::string& text : steps_[k]) {
      std::size_t at = std::string_view::npos;
      if (last) {
        if (!line.ends_with(text) || line.size() - text.size() < from) continue;
        at = line.size() - text.size();
        if (first && at != 0) continue;
      } else if (first) {
        if (!line.starts_with(text)) continue;
        at = 0;
      } else {
        at = line.find(text, from);
        if (at == std::string_view::npos) continue;
      }
      earliest_end = std::min(earliest_end, at + text.size());
    }
    if (earliest_end == std::string_view::npos) return false;
    from = earliest_end;
  }
  return true;
}

}  // namespace qz
