#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 8> kSections{
    ".text", ".rodata", ".data", ".bss", ".sdata", ".text.crc32", ".init_array", ".vectors"};

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

// "00001000+0001a0 .text                            main.o"
void write_map_entry(Rng& rng, std::string& out) {
  std::string section(rng.pick(kSections));
  if (rng.chance(0.2)) section += " -> " + std::string(rng.pick(kSections));
  out += rng.hex(8) + "+" + rng.hex(6) + " " + padded(section, 32) + " " + rng.identifier(3, 14) +
         ".o\n";
}

// Headers, memory configuration, fill lines and entries in other notations.
void write_map_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 6)) {
    case 0:
      out += "*fill*          0x" + rng.hex(8) + " 0x" + rng.hex(1) + "\n";
      break;
    case 1:
      out += "FLASH            0x" + rng.hex(8) + "         0x" + rng.hex(8) + "         0x" +
             rng.hex(8) + "\n";
      break;
    case 2:
      out += "Origin+Size     Section                          Module\n";
      break;
    case 3:  // an upper-case address, as some tools print it
      out += "0000ABCD+" + rng.hex(6) + " .text " + rng.identifier(3, 12) + ".o\n";
      break;
    case 4:
      out += " .text          0x" + rng.hex(8) + "     0x" + rng.hex(4) + " build/" +
             rng.identifier(3, 12) + ".o\n";
      break;
    case 5:
      out += "\n";
      break;
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
