#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

std::string percent_cell(Rng& rng) {
  return rng.number(0, 100) + "." + rng.number(0, 9) + (rng.chance(0.8) ? " %" : "%");
}

}  // namespace

void write_gcov_entry(Rng& rng, std::string& out) {
  out += "<tr><td>Lines:</td><td>" + rng.number(0, 9000) + "</td><td>" +
         rng.number(1, 12000) + "</td><td>" + percent_cell(rng) + "</td></tr>\n";
}

void write_gcov_noise(Rng& rng, std::string& out) {
  static constexpr std::array<std::string_view, 3> kLevels{"high", "medium", "low"};
  static constexpr std::array<std::string_view, 2> kOtherRows{"Functions:", "Branches:"};
  const std::string file = rng.identifier(3, 8) + "/" + rng.identifier(4, 14) + ".c";
  switch (rng.between(0, 4)) {
    case 0:
    case 1:
      out += "<tr><td class=\"file\"><a href=\"" + file + ".html\">" + file + "</a></td><td>" +
             rng.number(10, 900) + "</td><td>" + rng.number(0, 900) + "</td><td class=\"" +
             std::string(rng.pick(kLevels)) + "\">" + percent_cell(rng) + "</td></tr>\n";
      break;
    case 2:
      out += "<tr><td>" + std::string(rng.pick(kOtherRows)) + "</td><td>" +
             rng.number(0, 900) + "</td><td>" + rng.number(1, 900) + "</td><td>" +
             percent_cell(rng) + "</td></tr>\n";
      break;
    case 3:
      out += "<tr><th>File</th><th>Lines</th><th>Executed</th><th>Coverage</th></tr>\n";
      break;
    default:
      out += "td." + std::string(rng.pick(kLevels)) + " { background-color: #" + rng.hex(6) +
             "; }\n";
      break;
  }
}

}  // namespace qz::bench
