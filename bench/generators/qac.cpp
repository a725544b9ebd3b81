#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::string_view kRoot = "D:\\Jenkins\\workspace\\K7Qx22_App\\";

struct QacMessage {
  std::string_view number;
  std::string_view text;
  std::string_view reference;
};

constexpr std::array<QacMessage, 10> kMessages{{
    {"2985",
     "This operation is redundant. The value of the result is always that of the left-hand "
     "operand.",
     "MISRA-C:2012 Rule-2.2"},
    {"3200", "The return value of 'memcpy' is not used.", "MISRA-C:2012 Rule-17.7"},
    {"2871", "Infinite loop identified.", "MISRA-C:2012 Rule-14.3"},
    {"1840", "Implicit conversion: int to unsigned short.", "MISRA-C:2012 Rule-10.3"},
    {"0488", "Performing pointer arithmetic.", "MISRA-C:2012 Rule-18.4"},
    {"3218", "File scope static, 'table', is only accessed in one function.", "MISRA-C:2012 Rule-8.9"},
    {"2814", "Possible dereference of NULL pointer 'session'.", "MISRA-C:2012 Dir-4.1"},
    {"5313", "Number of distinct function calls exceeds the HIS limit of 7.", "HIS CALLS"},
    {"5324", "Cyclomatic complexity exceeds the HIS limit of 10.", "HIS v(G)"},
    {"5399", "Comment density is below the HIS limit of 0.2.", "HIS COMF"},
}};

// A few hundred source files, so that findings pile up per file as they do.
std::string source_path(Rng& rng, std::string_view folder, std::string_view extension) {
  static constexpr std::array<std::string_view, 5> kAreas{"app", "bsw", "drv", "diag", "os"};
  return std::string(kRoot) + std::string(folder) + "\\" + std::string(rng.pick(kAreas)) +
         "\\module_" + rng.number(0, 99) + std::string(extension);
}

void write_finding(Rng& rng, const std::string& path, std::string& out) {
  const QacMessage& message =
      kMessages[static_cast<std::size_t>(rng.between(0, static_cast<int>(kMessages.size()) - 1))];
  out += path + " (" + rng.number(1, 3000) + ") : " + (rng.chance(0.1) ? "error" : "warning") +
         " : QAC(Prio" + rng.number(0, 9) + ") Msg: " + std::string(message.number) + "(" +
         std::string(message.text) + ") Ref: " + std::string(message.reference) + "\n";
}

}  // namespace

void write_qac_entry(Rng& rng, std::string& out) {
  write_finding(rng, source_path(rng, "Src_QZ", rng.chance(0.8) ? ".c" : ".cpp"), out);
}

void write_qac_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 4)) {
    case 0:  // a header outside the source root
      write_finding(rng, source_path(rng, "Src_QZ", ".h"), out);
      break;
    case 1:  // third-party code outside the source root
      write_finding(rng, source_path(rng, "ThirdParty", ".c"), out);
      break;
    case 2:
      out += "--- " + source_path(rng, "Src_QZ", ".c") + "\n";
      break;
    case 3:
      out += "\n";
      break;
    default:
      out += "Analysing " + rng.identifier(4, 12) + ".c: " + rng.number(0, 40) + " messages, " +
             rng.number(100, 9000) + " lines\n";
      break;
  }
}

}  // namespace qz::bench
