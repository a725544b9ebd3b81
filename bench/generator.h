#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>

namespace qz::bench {

// Seeded randomness with the few shapes that log lines are made of.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : engine_(seed) {}

  int between(int low, int high);  // inclusive
  bool chance(double probability);
  std::string identifier(int min_length, int max_length);  // [a-z_][a-z0-9_]*
  std::string hex(int digits);                              // lower case
  std::string number(int low, int high);
  std::string_view pick(std::span<const std::string_view> choices);

 private:
  std::mt19937_64 engine_;
};

// Appends one unit of input, a line or the few lines that form one entry,
// each ended by "\n".
using UnitWriter = void (*)(Rng& rng, std::string& out);

// How to make the input of one parser type: the entries it recognises and
// the noise that surrounds them in real files.
struct InputKind {
  std::string_view parser_type;
  UnitWriter recognised;
  UnitWriter noise;
};

// Lines of an ordinary build or test log that no importer takes.
void write_build_log_noise(Rng& rng, std::string& out);

// The input kind of a parser type, or nullptr.
const InputKind* find_input_kind(std::string_view parser_type);

}  // namespace qz::bench
