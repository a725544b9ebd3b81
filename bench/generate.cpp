// qz_bench_gen PARSER_TYPE MEGABYTES OUTPUT [SHARE] [SEED]
// Writes a realistic input for PARSER_TYPE of about MEGABYTES: each unit is a
// recognised entry with probability SHARE (default 0.3; 0 gives an input in
// which no line is recognised), otherwise noise. The same seed (default 1)
// gives the same file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generator.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: qz_bench_gen PARSER_TYPE MEGABYTES OUTPUT [SHARE] [SEED]\n");
    return 2;
  }
  const qz::bench::InputKind* kind = qz::bench::find_input_kind(argv[1]);
  if (kind == nullptr) {
    std::fprintf(stderr, "qz_bench_gen: unknown parser type %s\n", argv[1]);
    return 2;
  }
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
