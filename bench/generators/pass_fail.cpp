#include <array>
#include <string>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 8> kModules{"CanIf", "Com", "PduR", "Dcm",
                                                    "NvM",   "Os",  "EcuM", "WdgM"};

std::string test_name(Rng& rng) {
  return std::string(rng.pick(kModules)) + "_" + rng.identifier(4, 14) + "_" +
         rng.identifier(3, 10);
}

// Dots fill the gap up to the result column, as test runners align them.
void append_dotted(std::string& out, std::string_view head, std::string_view result) {
  out += head;
  out.append(head.size() < 68 ? 70 - head.size() : 2, '.');
  out += result;
  out += '\n';
}

}  // namespace

void write_pass_fail_entry(Rng& rng, std::string& out) {
  static constexpr std::array<std::string_view, 4> kResults{"passed", "PASSED", "failed",
                                                            "FAILED"};
  const std::string_view result = rng.chance(0.9) ? kResults[rng.between(0, 1)]
                                                  : kResults[rng.between(2, 3)];
  std::string head = "  Test: " + test_name(rng);
  head += rng.chance(0.8) ? "() " : " (" + rng.identifier(4, 10) + "_test.c:" +
                                        rng.number(10, 900) + ") ";
  append_dotted(out, head, result);
}

void write_pass_fail_noise(Rng& rng, std::string& out) {
  const std::string file = rng.identifier(4, 10) + "_test.c";
  switch (rng.between(0, 6)) {
    case 0:
      out += "Suite " + test_name(rng) + " (../Test/" + file + ")\n";
      break;
    case 1:
      out += "      " + file + ":" + rng.number(10, 900) + ": expected " + rng.number(0, 255) +
             " but was " + rng.number(0, 255) + "\n";
      break;
    case 2:
      out += "      note: stub " + test_name(rng) + " called " + rng.number(0, 9) + " times\n";
      break;
    case 3:  // nearly a test line: the timing behind the result word
      append_dotted(out, "  Test: " + test_name(rng) + "() ",
                    "passed (" + rng.number(0, 99) + " ms)");
      break;
    case 4:
      out += std::string(78, rng.chance(0.5) ? '-' : '=') + "\n";
      break;
    case 5: {
      const int failed = rng.between(0, 9);
      const int passed = rng.between(1, 400);
      out += " " + std::to_string(passed + failed) + " tests: " + std::to_string(passed) +
             " passed, " + std::to_string(failed) + " failed, 0 skipped\n";
      break;
    }
    default:
      write_build_log_noise(rng, out);
      break;
  }
}

}  // namespace qz::bench
