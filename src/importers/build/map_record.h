#pragma once

#include <cstdint>
#include <string>

namespace qz {

// One placed piece of code or data from a linker map.
struct MapRecord {
  bool matched = false;
  std::string originhex;  // start address, hexadecimal digits as read
  std::uint32_t origindec = 0;
  std::string sizehex;  // size, hexadecimal digits
  std::uint32_t sizedec = 0;
  std::string section;
  std::string filename;  // module or object file
};

}  // namespace qz
