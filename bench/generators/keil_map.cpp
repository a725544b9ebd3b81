#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 4> kTypes{"Thumb Code", "Data", "Section", "ARM Code"};

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string right_aligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

// "    main                                     0x08000151   Thumb Code    40  main.o(.text.main)"
void write_keil_map_entry(Rng& rng, std::string& out) {
  const std::string symbol = rng.identifier(3, 24);
  out += "    " + padded(symbol, 40) + " 0x" + rng.hex(8) + "   " +
         padded(std::string(rng.pick(kTypes)), 10) + right_aligned(rng.number(0, 4096), 6) + "  " +
         rng.identifier(3, 14) + ".o(.text." + symbol + ")\n";
}

// Absolute symbols, the memory map listing and section headers.
void write_keil_map_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 5)) {
    case 0:
      out += "    " + padded(rng.identifier(3, 24), 40) + " 0x00000000   Number         0  " +
             rng.identifier(3, 14) + ".o ABSOLUTE\n";
      break;
    case 1:
      out += "    0x" + rng.hex(8) + "   0x" + rng.hex(8) + "   0x" + rng.hex(8) +
             "   Code   RO         " + rng.number(1, 999) + "    .text." + rng.identifier(3, 16) +
             "  " + rng.identifier(3, 14) + ".o\n";
      break;
    case 2:
      out += "    Symbol Name                              Value     Ov Type        Size  "
             "Object(Section)\n";
      break;
    case 3:
      out += "    Execution Region ER_IROM1 (Exec base: 0x08000000, Load base: 0x08000000, Size: 0x" +
             rng.hex(8) + ", Max: 0x00100000, ABSOLUTE)\n";
      break;
    case 4:
      out += "\n";
      break;
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
