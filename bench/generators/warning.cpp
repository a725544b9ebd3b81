#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 4> kMessages{
    "variable \"status\" was set but never used", "declaration is incompatible with previous one",
    "integer conversion resulted in truncation", "function declared implicitly"};

std::string source_path(Rng& rng) {
  return "../Src/" + rng.identifier(3, 8) + "/" + rng.identifier(3, 14) + ".c";
}

}  // namespace

// "\"../Src/app/main.c\", line 42: warning #552-D:" and the indented message.
void write_warning_entry(Rng& rng, std::string& out) {
  const bool error = rng.chance(0.1);
  out += "\"" + source_path(rng) + "\", line " + rng.number(1, 5000) + ": " +
         (error ? "error #" : "warning #") + rng.number(10, 10999) + (error ? ":\n" : "-D:\n");
  out += "          " + std::string(rng.pick(kMessages)) + "\n";
}

// Remarks, diagnostics with their message on the same line, and build steps.
void write_warning_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 4)) {
    case 0:
      out += "\"" + source_path(rng) + "\", line " + rng.number(1, 5000) + ": remark #" +
             rng.number(1000, 1999) + "-D:\n";
      break;
    case 1:
      out += "\"" + source_path(rng) + "\", line " + rng.number(1, 5000) + ": warning #" +
             rng.number(10, 999) + "-D: " + std::string(rng.pick(kMessages)) + "\n";
      break;
    case 2:
      out += "Building file: \"" + source_path(rng) + "\"\n";
      break;
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
