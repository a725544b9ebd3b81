// qz_bench_gen PARSER_TYPE MEGABYTES OUTPUT [SHARE] [SEED]
// Writes a realistic input for PARSER_TYPE of about MEGABYTES: each unit is a
// recognised entry with probability SHARE (default 0.3; 0 gives an input in
// which no line is recognised), otherwise noise. The same seed (default 1)
// gives the same file.
//
// qz_bench_gen --crafted PARSER_TYPE MEGABYTES OUTPUT [NAME]
// Writes the crafted line NAME of PARSER_TYPE (bench/crafted.cpp), about
// MEGABYTES long, or without NAME each crafted line of the type in turn.
//
// qz_bench_gen --crafted-names PARSER_TYPE
// Lists the crafted lines of PARSER_TYPE, one a line: the name, and "row"
// if the line is valid and must give a row, else "miss".
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "crafted.h"
#include "generator.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: qz_bench_gen PARSER_TYPE MEGABYTES OUTPUT [SHARE] [SEED]\n"
               "       qz_bench_gen --crafted PARSER_TYPE MEGABYTES OUTPUT [NAME]\n"
               "       qz_bench_gen --crafted-names PARSER_TYPE\n");
  return 2;
}

int unknown_type(const char* type) {
  std::fprintf(stderr, "qz_bench_gen: unknown parser type %s\n", type);
  return 2;
}

int write_generated(int argc, char** argv) {
  const qz::bench::InputKind* kind = qz::bench::find_input_kind(argv[1]);
  if (kind == nullptr) return unknown_type(argv[1]);
  const double target = std::atof(argv[2]) * 1024 * 1024;
  const double share = argc > 4 ? std::atof(argv[4]) : 0.3;
  qz::bench::Rng rng(argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1);

  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr) {
    std::perror(argv[3]);
    return 1;
  }
  std::string block;
  double written = 0;
  while (written < target) {
    block.clear();
    while (block.size() < (1 << 20) && written + block.size() < target) {
      (rng.chance(share) ? kind->recognised : kind->noise)(rng, block);
    }
    std::fwrite(block.data(), 1, block.size(), out);
    written += block.size();
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

int list_crafted(const char* type) {
  const auto lines = qz::bench::crafted_lines(type);
  if (lines.empty()) return unknown_type(type);
  for (const qz::bench::CraftedLine& line : lines) {
    std::printf("%.*s %s\n", static_cast<int>(line.name.size()), line.name.data(),
                line.gives_row ? "row" : "miss");
  }
  return 0;
}

int write_crafted(int argc, char** argv) {
  const auto lines = qz::bench::crafted_lines(argv[2]);
  if (lines.empty()) return unknown_type(argv[2]);
  const auto bytes = static_cast<std::size_t>(std::atof(argv[3]) * 1024 * 1024);
  const std::string_view wanted = argc > 5 ? argv[5] : "";
  std::FILE* out = std::fopen(argv[4], "wb");
  if (out == nullptr) {
    std::perror(argv[4]);
    return 1;
  }
  bool found = false;
  for (const qz::bench::CraftedLine& line : lines) {
    if (!wanted.empty() && line.name != wanted) continue;
    const std::string text = qz::bench::build_crafted_line(line, bytes);
    std::fwrite(text.data(), 1, text.size(), out);
    found = true;
  }
  if (std::fclose(out) != 0) return 1;
  if (!found) {
    std::fprintf(stderr, "qz_bench_gen: %s has no crafted line %s\n", argv[2], argv[5]);
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "--crafted-names") return argc == 3 ? list_crafted(argv[2]) : usage();
  if (mode == "--crafted") return argc == 5 || argc == 6 ? write_crafted(argc, argv) : usage();
  return argc >= 4 ? write_generated(argc, argv) : usage();
}
