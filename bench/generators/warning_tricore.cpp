#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 4> kMessages{
    "constant \"MAX\" is out of range", "condition is always true",
    "dead assignment to \"status\" eliminated", "implicit cast from \"unsigned int\" to \"char\""};

std::string bracketed_position(Rng& rng) {
  return "[\"..\\Src\\" + rng.identifier(3, 8) + "\\" + rng.identifier(3, 14) + ".c\" " +
         rng.number(1, 5000) + "/" + rng.number(1, 80) + "] ";
}

}  // namespace

// "ctc W527: [\"..\\Src\\drv\\can.c\" 88/12] constant \"MAX\" is out of range"
void write_warning_tricore_entry(Rng& rng, std::string& out) {
  out += "ctc W" + rng.number(500, 599) + ": " + bracketed_position(rng) +
         std::string(rng.pick(kMessages)) + "\n";
}

// Errors, compiler calls, summaries and linker warnings.
void write_warning_tricore_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 4)) {
    case 0:
      out += "ctc E" + rng.number(200, 299) + ": " + bracketed_position(rng) + "syntax error\n";
      break;
    case 1:
      out += "+ C:\\Tools\\Tricore\\bin\\ctc.exe -f build/ctc_options.opt -o build/obj/" +
             rng.identifier(3, 14) + ".src ..\\Src\\" + rng.identifier(3, 14) + ".c\n";
      break;
    case 2:
      out += "ctc: " + rng.number(0, 3) + " errors, " + rng.number(0, 9) + " warnings\n";
      break;
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
