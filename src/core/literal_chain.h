#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// A quick test of whether a line can match an ECMAScript pattern as a whole.
// It knows the pattern as a sequence of single bytes, runs of one class of
// bytes, literal alternatives such as (error|warning), and stretches it does
// not look into (".*", repeated groups). It checks that the line begins and
// ends as the pattern does, and that the pattern's literal texts stand in the
// line in order, each with the bytes the pattern puts around it (the blanks
// and the colon before "error:", the hex digits around a '+'). Most lines of
// a log fail one of these checks, and they cost a few comparisons where an
// automaton would read the line. It never rejects a line the pattern matches,
// and its work is linear in the line length.
// The layers of the chain, each of which the benchmark can switch off with
// QZ_CHAIN_OFF, a list of their names: glance, walks, ends, byte, rarest,
// order, surroundings, tallies.
enum ChainLayer : unsigned {
  kGlance = 1, kWalks = 2, kEnds = 4, kByte = 8, kRarest = 16, kOrder = 32, kSurroundings = 64,
  kTallies = 128
};
bool layer_off(ChainLayer layer);

class LiteralChain {
 public:
  explicit LiteralChain(std::string_view ecmascript);

  // False when the line cannot match the pattern.
  bool may_match(std::string_view line) const;

  // Texts one of which stands in every line the pattern matches, few enough
  // to be searched for together in a whole block of input; empty when the
  // pattern has none.
  std::span<const std::string> needed_texts() const;

  // The pieces the chain is built from.
  using Bytes = std::bitset<256>;

  // One piece of the pattern.
  struct Element {
    enum class Kind {
      kByte,      // one byte of `bytes`
      kRun,       // min to max bytes of `bytes`
      kTexts,     // one of `texts`
      kAnything,  // not looked into
    };
    Kind kind = Kind::kAnything;
    Bytes bytes;
    std::array<bool, 256> takes{};  // the same, for quick lookup
    std::size_t min = 0;
    std::size_t max = 0;
    std::vector<std::string> texts;
    // Whether, walking forward (backward), taking all the bytes of a run that
    // stand here is the only way on: true when what comes next cannot begin
    // (end) with one of them.
    bool greedy_forward = false;
    bool greedy_backward = false;
  };

 private:
  // Literal texts to search for, one of which stands in a matching line,
  // made of the elements [first, last).
  struct Step {
    std::vector<std::string> texts;
    std::size_t first = 0;
    std::size_t last = 0;
    // How far what surrounds it is checked: up to the neighbouring steps'
    // far ends, so that each element is read by a few walks at most.
    std::size_t back_limit = 0;
    std::size_t forward_limit = 0;
  };

  // How far a walk got: whether the line can hold the elements it walked,
  // and the first element it could not settle (one past it, walking
  // backward) with where that element stands in the line.
  struct Reach {
    bool fits = false;
    std::size_t element = 0;
    std::size_t at = 0;
  };

  // Walks from `at` on the elements from `element` up to `limit` (kForward),
  // or up to `at` the elements before `element` down to `limit`. At the
  // pattern's edge the line must end. A walk costs `budget` for each byte of
  // a run it reads and stops when that is spent.
  template <bool kForward>
  Reach walk(std::string_view line, std::size_t at, std::size_t element, std::size_t limit,
             std::size_t& budget) const;

  // Where the texts of a step stand at the earliest at or after a place,
  // with what surrounds them fitting unless no budget is given: the first
  // start and the first end of any (npos when none does).
  struct Place {
    std::size_t start = std::string_view::npos;
    std::size_t end = std::string_view::npos;
  };
  Place place_of(const Step& step, std::string_view line, std::size_t from,
                 std::size_t* budget) const;

  static constexpr std::size_t kMostSteps = 32;

  // The costlier tests, the texts in order and what surrounds them, tell
  // only on near misses: lines that pass the cheap tests yet do not match.
  // Where those are rare, as in most logs, a line that gets this far
  // matches, and the tests only add to RE2's work. So each keeps a running
  // share of the lines it rejected, and runs while that share makes up for
  // its cost, and on one line in kTrialEvery anyway, to notice when near
  // misses come. The answer never depends on it, only the time.
  class Tally {
   public:
    // Runs while at least one line in `one_in` is rejected.
    explicit Tally(std::int32_t one_in) : worthwhile_(kWhole / one_in) {}
    bool pays() { return layer_off(kTallies) || share_ >= worthwhile_ || ++lines_ % kTrialEvery == 0; }
    // Counts a line the test ran on; the recent lines weigh most.
    void count(bool rejected) { share_ += ((rejected ? kWhole : 0) - share_) / kWeight; }

   private:
    static constexpr std::int32_t kWhole = 1 << 16;  // a share of 1
    static constexpr std::int32_t kWeight = 8;       // a new line counts 1/8
    static constexpr std::uint32_t kTrialEvery = 16;
    std::int32_t worthwhile_;
    std::int32_t share_ = kWhole;  // run at first
    std::uint32_t lines_ = 0;
  };
  // Measured on the benchmark's logs: searching the texts in order costs a
  // small part of what RE2 spends on a line, checking their surroundings
  // about half. The search for the rarest texts alone is cheap, but where
  // the reader hands over only lines that hold them, it never rejects one.
  mutable Tally rarest_{16};
  mutable Tally in_order_{8};
  mutable Tally surroundings_{2};

  std::vector<Element> elements_;
  std::vector<Step> steps_;
  // The bytes a line that matches can begin and end with.
  std::array<bool, 256> can_open_{};
  std::array<bool, 256> can_close_{};
  // Walks from a line's end that would stop at once are left out.
  bool opens_with_anything_ = false;
  bool ends_with_anything_ = false;
  std::size_t rarest_step_ = 0;  // the step whose shortest text is longest, if any
  std::size_t byte_step_ = 0;    // the first other step of one byte, if any
};

}  // namespace qz
