#include "generator.h"

#include <array>

#include "generators/generators.h"

namespace qz::bench {

int Rng::between(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(engine_);
}

bool Rng::chance(double probability) { return std::bernoulli_distribution(probability)(engine_); }

std::string Rng::identifier(int min_length, int max_length) {
  static constexpr std::string_view kFirst = "abcdefghijklmnopqrstuvwxyz_";
  static constexpr std::string_view kRest = "abcdefghijklmnopqrstuvwxyz_0123456789";
  const int length = between(min_length, max_length);
  std::string text(1, kFirst[between(0, kFirst.size() - 1)]);
  for (int i = 1; i < length; ++i) text += kRest[between(0, kRest.size() - 1)];
  return text;
}

std::string Rng::hex(int digits) {
  static constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < digits; ++i) text += kDigits[between(0, 15)];
  return text;
}

std::string Rng::number(int low, int high) { return std::to_string(between(low, high)); }

std::string_view Rng::pick(std::span<const std::string_view> choices) {
  return choices[between(0, static_cast<int>(choices.size()) - 1)];
}

void write_build_log_noise(Rng& rng, std::string& out) {
  static constexpr std::array<std::string_view, 6> kTools{"cc", "gcc", "clang", "armcc", "ld", "ar"};
  const std::string module = rng.identifier(3, 12);
  switch (rng.between(0, 4)) {
    case 0:
      out += "[" + rng.number(1, 999) + "/" + rng.number(1000, 4000) + "] Building C object src/" +
             module + ".c.o\n";
      break;
    case 1:
      out += std::string(rng.pick(kTools)) + " -c -O2 -Wall -I../Src/include -DNDEBUG -o build/" +
             module + ".o ../Src/" + rng.identifier(3, 8) + "/" + module + ".c\n";
      break;
    case 2:
      out += "Compiling " + module + ".c...\n";
      break;
    case 3:
      out += "\n";
      break;
    default:
      out += "  " + rng.identifier(4, 16) + " = 0x" + rng.hex(8) + "; /* " + module + " */\n";
      break;
  }
}

const InputKind* find_input_kind(std::string_view parser_type) {
  static const std::array<InputKind, 11> kKinds{{
      {"ClangTidy", write_clang_tidy_entry, write_clang_tidy_noise},
      {"PassFail", write_pass_fail_entry, write_pass_fail_noise},
      {"CTC_Coverage", write_ctc_entry, write_ctc_noise},
      {"GCOV_Coverage", write_gcov_entry, write_gcov_noise},
      {"QAC", write_qac_entry, write_qac_noise},
      {"QAC_full_report", write_qac_entry, write_qac_noise},
      {"Warning", write_warning_entry, write_warning_noise},
      {"Warning_KEIL", write_warning_keil_entry, write_warning_keil_noise},
      {"Warning_Tricore", write_warning_tricore_entry, write_warning_tricore_noise},
      {"Map", write_map_entry, write_map_noise},
      {"Map_KEIL", write_keil_map_entry, write_keil_map_noise},
  }};
  for (const InputKind& kind : kKinds) {
    if (kind.parser_type == parser_type) return &kind;
  }
  return nullptr;
}

}  // namespace qz::bench
