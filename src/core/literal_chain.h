#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// A quick test of whether a line can match an ECMAScript pattern as a whole,
// which knows the pattern as literal texts (or alternatives such as
// (error|warning)), runs of one class of bytes, and stretches not looked
// into (".*", repeated groups). Most lines of a log lack the bytes the
// pattern puts at the line's ends, its texts in order, or the bytes around
// its rarest texts; those checks cost a few comparisons where an automaton
// reads the line. Each holds for every line the pattern matches (each says
// why), and the work is linear in the line.
class LiteralChain {
 public:
  explicit LiteralChain(std::string_view ecmascript);

  // False when the line cannot match the pattern.
  bool may_match(std::string_view line) const;

  // Texts one of which stands in every line the pattern matches, few enough
  // to be searched for together in a whole block of input; empty when the
  // pattern has none.
  std::span<const std::string> needed_texts() const {
    if (needed_step_ == steps_.size()) return {};
    return steps_[needed_step_].texts;
  }

  // One piece of the pattern: one of `texts`, or `min` to `max` bytes that
  // `takes`, or, with neither, a stretch not looked into.
  struct Element {
    std::vector<std::string> texts;
    std::array<bool, 256> takes{};
    std::size_t min = 0;
    std::size_t max = 0;
    // Forward, backward: nothing next can begin with a byte it takes.
    std::array<bool, 2> greedy{};

    bool is_texts() const { return !texts.empty(); }
    bool is_run() const { return texts.empty() && max > 0; }
  };

 private:
  // Text elements [first, last) as all the texts they can be together.
  struct Step {
    std::vector<std::string> texts;
    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t shortest = 0;
  };
  // Whether the line can hold the elements a walk went over, and the first
  // one it could not settle (one past it, walking backward) and its place.
  struct Reach {
    bool fits = false;
    std::size_t element = 0;
    std::size_t at = 0;
  };

  template <bool kForward>
  Reach walk(std::string_view line, std::size_t at, std::size_t element, std::size_t limit,
             std::size_t& budget) const;
  bool fits_around(std::size_t step, std::string_view line, std::size_t at,
                   std::size_t& budget) const;

  std::vector<Element> elements_;
  std::vector<Step> steps_;
  std::size_t needed_step_ = 0;  // steps_.size() when none will do
  std::array<bool, 256> can_open_{};
  std::array<bool, 256> can_close_{};
};

}  // namespace qz
