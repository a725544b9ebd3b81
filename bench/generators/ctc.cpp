#include <array>
#include <cstdio>

#include "generators/generators.h"

namespace qz::bench {
namespace {

// "  75 % (  3/  4)": the report right-aligns percentages and counts.
std::string figures(Rng& rng) {
  const int total = rng.between(0, 400);
  const int covered = total == 0 ? 0 : rng.between(0, total);
  const int percent = total == 0 ? 100 : covered * 100 / total;
  char text[40];
  std::snprintf(text, sizeof text, "%3d %% (%3d/%3d)", percent, covered, total);
  return text;
}

std::string function_name(Rng& rng) {
  static constexpr std::array<std::string_view, 6> kPrefixes{"CanIf_", "Com_", "Dcm_",
                                                             "NvM_",   "Os_",  "DiagBuffer::"};
  return std::string(rng.pick(kPrefixes)) + rng.identifier(4, 20);
}

}  // namespace

void write_ctc_entry(Rng& rng, std::string& out) {
  if (rng.chance(0.05)) {
    out += "TER             :  " + figures(rng) + " decision\n";
    out += "TER             :  " + figures(rng) + " statement\n";
    return;
  }
  out += "***TER " + figures(rng) + " of FUNCTION " + function_name(rng) + "()\n";
  out += "       " + figures(rng) + " statement\n";
}

void write_ctc_noise(Rng& rng, std::string& out) {
  char text[200];
  switch (rng.between(0, 5)) {
    case 0:
    case 1:
      std::snprintf(text, sizeof text, "%10d %10d %6d if (%s != %s)\n", rng.between(0, 999),
                    rng.between(0, 99), rng.between(1, 4000), rng.identifier(3, 16).c_str(),
                    rng.identifier(3, 16).c_str());
      out += text;
      break;
    case 2:
      std::snprintf(text, sizeof text, "%10d            %6d FUNCTION %s()\n",
                    rng.between(0, 999), rng.between(1, 4000), function_name(rng).c_str());
      out += text;
      break;
    case 3:
      out += std::string(77, '-') + "\n";
      break;
    case 4:  // a file summary opens a pair that gives no row
      out += "***TER " + figures(rng) + " of FILE ../Src/" + rng.identifier(3, 8) + "/" +
             rng.identifier(4, 14) + ".c\n";
      out += "       " + figures(rng) + " statement\n";
      break;
    default:
      out += "MONITORED SOURCE FILE : ../Src/" + rng.identifier(3, 8) + "/" +
             rng.identifier(4, 14) + ".c\n";
      break;
  }
}

}  // namespace qz::bench
