#include "core/literal_chain.h"

#include <algorithm>
#include <bitset>

#include "core/ecmascript.h"
#include "core/text_search.h"

namespace qz {
namespace {

using Element = LiteralChain::Element;
using Kind = PatternPiece::Kind;
using Pieces = std::vector<PatternPiece>;
using Table = std::array<bool, 256>;

constexpr std::size_t kNone = std::string_view::npos;
// Reading a run of a class this wide (".*") costs more than it tells.
constexpr std::size_t kWidestRun = 128;
// The most texts of a step: the combinations of its elements' texts.
constexpr std::size_t kMostTexts = 16;
// The reader searches for up to four texts at once.
constexpr std::size_t kMostNeededTexts = 4;

// Appends an element; texts next to each other become one, which a walk
// compares at once.
void append(std::vector<Element>& out, Element element) {
  if (!out.empty() && out.back().texts.size() == 1 && element.texts.size() == 1) {
    out.back().texts.front() += element.texts.front();
  } else {
    out.push_back(std::move(element));
  }
}

// min to max bytes of a class: a text where the class is one byte and the
// count fixed, a stretch not looked into where the class is wide.
Element run_element(const std::bitset<256>& bytes, std::size_t min, std::size_t max) {
  Element element;
  if (bytes.count() == 1 && min == max) {
    element.texts = {std::string(min, static_cast<char>(only_byte(bytes)))};
  } else if (bytes.count() <= kWidestRun || min == max) {
    for (std::size_t b = 0; b < bytes.size(); ++b) element.takes[b] = bytes[b];
    element.min = min;
    element.max = max;
  }
  return element;
}

// The group of pieces (open, close) as one element of literal alternatives,
// as in (error|warning) or (|ab); false for any other group.
bool literal_alternatives(const Pieces& pieces, std::size_t open, Element& element) {
  element.texts.assign(1, std::string());
  for (std::size_t i = open + 1; i < pieces[open].close; ++i) {
    if (pieces[i].kind == Kind::kAlternative) {
      element.texts.emplace_back();
    } else if (pieces[i].kind == Kind::kBytes && pieces[i].bytes.count() == 1) {
      element.texts.back() += static_cast<char>(only_byte(pieces[i].bytes));
    } else {
      return false;
    }
  }
  return true;
}

// Appends the elements of pieces [begin, end): the whole pattern or a
// group's inside. What the chain does not know becomes a stretch not looked
// into, which stands for any bytes and so never makes it reject a line.
void append_elements(const Pieces& pieces, std::size_t begin, std::size_t end,
                     std::vector<Element>& out) {
  auto after = [&](std::size_t i) {
    return (pieces[i].kind == Kind::kGroupOpen ? pieces[i].close : i) + 1;
  };
  for (std::size_t i = begin; i < end; i = after(i)) {
    if (pieces[i].kind == Kind::kAlternative) {
      out.emplace_back();
      return;
    }
  }
  for (std::size_t i = begin; i < end;) {
    const PatternPiece& piece = pieces[i];
    const std::size_t last = piece.kind == Kind::kGroupOpen ? piece.close : i;
    const PatternPiece* repeat =
        last + 1 < end && pieces[last + 1].kind == Kind::kRepeat ? &pieces[last + 1] : nullptr;
    Element element;
    if (piece.kind == Kind::kBytes) {
      append(out, run_element(piece.bytes, repeat ? repeat->min : 1, repeat ? repeat->max : 1));
    } else if (piece.kind != Kind::kGroupOpen || repeat != nullptr ||
               (piece.text != "(" && piece.text != "(?:")) {
      // A repeated group, an assertion, a back reference. "^" and "$" only
      // keep lines from matching: leaving them out never rejects a match.
      if (piece.text != "^" && piece.text != "$") out.emplace_back();
    } else if (literal_alternatives(pieces, i, element)) {
      append(out, std::move(element));
    } else {
      append_elements(pieces, i + 1, last, out);
    }
    i = last + (repeat ? 2 : 1);
  }
}

// The bytes that the elements from `i` on (forward), or those before `i`
// (backward), can begin with.
Table entry_bytes(const std::vector<Element>& elements, std::size_t i, bool forward) {
  Table bytes{};
  for (; forward ? i < elements.size() : i > 0; forward ? ++i : --i) {
    const Element& e = elements[forward ? i : i - 1];
    if (!e.is_texts() && !e.is_run()) bytes.fill(true);
    for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = bytes[b] || e.takes[b];
    for (const std::string& t : e.texts) {
      if (!t.empty()) bytes[static_cast<unsigned char>(forward ? t.front() : t.back())] = true;
    }
    if (e.is_run() ? e.min > 0 : std::count(e.texts.begin(), e.texts.end(), "") == 0) break;
  }
  return bytes;
}

bool none_in_both(const Table& a, const Table& b) {
  std::size_t i = 0;
  while (i < a.size() && !(a[i] && b[i])) ++i;
  return i == a.size();
}

}  // namespace

LiteralChain::LiteralChain(std::string_view ecmascript) {
  const Pieces pieces = parse_ecmascript(ecmascript);
  append_elements(pieces, 0, pieces.size(), elements_);
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    Element& e = elements_[i];
    e.greedy = {none_in_both(e.takes, entry_bytes(elements_, i + 1, true)),
                none_in_both(e.takes, entry_bytes(elements_, i, false))};
  }
  // The steps: each run of text elements, as all the texts it can be. An
  // empty text stands everywhere: a step that can be empty tells nothing.
  for (std::size_t i = 0; i < elements_.size();) {
    Step step{{std::string()}, i, i, kNone};
    for (; step.last < elements_.size() && elements_[step.last].is_texts(); ++step.last) {
      const std::vector<std::string>& parts = elements_[step.last].texts;
      if (step.texts.size() * parts.size() > kMostTexts) break;
      std::vector<std::string> longer;
      for (const std::string& text : step.texts) {
        for (const std::string& part : parts) longer.push_back(text + part);
      }
      step.texts = std::move(longer);
    }
    i = std::max(i + 1, step.last);
    for (const std::string& text : step.texts) step.shortest = std::min(step.shortest, text.size());
    if (step.last > step.first && step.shortest > 0) steps_.push_back(std::move(step));
  }
  // The step whose shortest text is longest is the rarest in a log.
  needed_step_ = steps_.size();
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    const Step& step = steps_[k];
    if (step.texts.size() <= kMostNeededTexts &&
        (needed_step_ == steps_.size() || step.shortest > steps_[needed_step_].shortest)) {
      needed_step_ = k;
    }
  }
  can_open_ = entry_bytes(elements_, 0, true);
  can_close_ = entry_bytes(elements_, elements_.size(), false);
}

// Walks from `at` over the elements from `element` up to `limit` (forward),
// or over those before `element` down to `limit` (backward), while where
// each ends is certain: a text of one length, a run of fixed length or one
// that nothing next can go on with. Where it is not, or at a stretch not
// looked into, it stops and the line still fits. Each check is of bytes any
// match holds at that place, so a line a walk rejects has no match. At the
// pattern's edge the line must end. Runs cost `budget` per byte read; a
// walk stops when it is spent.
template <bool kForward>
LiteralChain::Reach LiteralChain::walk(std::string_view line, std::size_t at, std::size_t element,
                                       std::size_t limit, std::size_t& budget) const {
  const auto room = [&] { return kForward ? line.size() - at : at; };
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(line[kForward ? at + i : at - 1 - i]);
  };
  const auto stop = [&] { return Reach{true, element, at}; };
  for (; element != limit; kForward ? ++element : --element) {
    const Element& e = elements_[kForward ? element : element - 1];
    std::size_t taken = kNone;
    if (e.is_texts()) {
      for (const std::string& text : e.texts) {
        if (text.size() > room() ||
            !text_stands_at(line.data() + (kForward ? at : at - text.size()), text)) {
          continue;
        }
        if (taken != kNone && taken != text.size()) return stop();
        taken = text.size();
      }
      if (taken == kNone) return {};
    } else if (e.is_run()) {
      const bool certain = e.min == e.max || e.greedy[kForward ? 0 : 1];
      const std::size_t most = std::min(certain ? e.max : e.min, room());
      taken = 0;
      while (taken < most && taken < budget && e.takes[byte(taken)]) ++taken;
      if (taken == budget && taken < most) return stop();
      if (taken < e.min) return {};
      budget -= taken;
      if (!certain) return stop();
    } else {
      return stop();
    }
    at = kForward ? at + taken : at - taken;
  }
  return {limit != (kForward ? elements_.size() : 0) || room() == 0, element, at};
}

// Whether one of the step's texts stands somewhere from `at` on with the
// elements around it fitting, walked up to the far ends of the neighbouring
// steps (so that each element is walked from a few steps at most). `at`
// holds one of the texts: most lines that get here match, and fit there at
// once.
bool LiteralChain::fits_around(std::size_t k, std::string_view line, std::size_t at,
                               std::size_t& budget) const {
  const Step& step = steps_[k];
  const std::size_t back_limit = k == 0 ? 0 : steps_[k - 1].first;
  const std::size_t forward_limit = k + 1 == steps_.size() ? elements_.size() : steps_[k + 1].last;
  for (; at != kNone; at = find_texts(line, step.texts, at + 1)) {
    for (const std::string& text : step.texts) {
      if (text.size() <= line.size() - at && text_stands_at(line.data() + at, text) &&
          walk<false>(line, at, step.first, back_limit, budget).fits &&
          walk<true>(line, at + text.size(), step.last, forward_limit, budget).fits) {
        return true;
      }
    }
  }
  return false;
}

bool LiteralChain::may_match(std::string_view line) const {
  // A match begins and ends with bytes its first and last elements can.
  if (!line.empty() && !(can_open_[static_cast<unsigned char>(line.front())] &&
                         can_close_[static_cast<unsigned char>(line.back())])) {
    return false;
  }
  // Runs are read about twice over at most; past that RE2 decides.
  std::size_t budget = 2 * line.size() + 64;
  // The line's ends: what the walks settle stands there in every match.
  // Elements [0, head.element) fill [0, head.at), those from tail.element
  // on fill [tail.at, end): where both settled all, the two places meet.
  const Reach head = walk<true>(line, 0, 0, elements_.size(), budget);
  if (!head.fits) return false;
  const Reach tail = walk<false>(line, line.size(), elements_.size(), head.element, budget);
  if (!tail.fits || (tail.element == head.element && tail.at != head.at)) return false;
  // The texts of the steps between, in order, each searched alone: a match
  // holds them in order, so each begins no earlier than the one before it
  // can end, which bounds the search for the next; one the tail walk did not
  // reach ends before tail.at. A step the head walk entered without settling
  // (it stopped at texts of which one is a prefix of another) may begin
  // before head.at.
  std::size_t from = 0;
  std::size_t needed_at = kNone;
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    const Step& step = steps_[k];
    if (step.last <= head.element || step.first >= tail.element) continue;
    const std::size_t at =
        find_texts(line, step.texts, std::max(from, step.first >= head.element ? head.at : 0));
    if (at == kNone) return false;
    if (k == needed_step_) needed_at = at;
    from = at + step.shortest;
    if (step.last <= tail.element && from > tail.at) return false;
  }
  // Then the needed texts with what surrounds them: a near miss mostly
  // holds them, but not between the bytes the pattern puts around them.
  return needed_at == kNone || fits_around(needed_step_, line, needed_at, budget);
}

}  // namespace qz
