#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 4> kMessages{
    "implicit conversion changes signedness: 'int' to 'uint32_t' [-Wsign-conversion]",
    "unused variable 'buffer' [-Wunused-variable]",
    "format specifies type 'int' but the argument has type 'long' [-Wformat]",
    "use of undeclared identifier 'CAN_MAX_DLC'"};

std::string position(Rng& rng) {
  return "../Src/" + rng.identifier(3, 8) + "/" + rng.identifier(3, 14) + ".c:" +
         rng.number(1, 5000) + ":" + rng.number(1, 80) + ": ";
}

}  // namespace

// "../Src/main.c:12:5: warning: message [-Wflag]" with the source line and caret.
void write_warning_keil_entry(Rng& rng, std::string& out) {
  out += position(rng) + (rng.chance(0.1) ? "error: " : "warning: ") +
         std::string(rng.pick(kMessages)) + "\n";
  out += "    " + rng.identifier(3, 12) + " = " + rng.identifier(3, 12) + ";\n";
  out += "      ~ ^\n";
}

// Notes, fatal errors, summaries and build steps.
void write_warning_keil_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 4)) {
    case 0:
      out += position(rng) + "note: expanded from macro '" + rng.identifier(3, 12) + "'\n";
      break;
    case 1:
      out += position(rng) + "fatal error: '" + rng.identifier(3, 12) + ".h' file not found\n";
      break;
    case 2:
      out += rng.number(1, 9) + " warnings generated.\n";
      break;
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
