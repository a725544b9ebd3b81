#include <array>

#include "generators/generators.h"

namespace qz::bench {
namespace {

constexpr std::array<std::string_view, 8> kChecks{
    "modernize-use-nullptr", "readability-braces-around-statements",
    "cppcoreguidelines-avoid-magic-numbers", "bugprone-narrowing-conversions",
    "readability-implicit-bool-conversion", "modernize-use-using",
    "cppcoreguidelines-pro-type-cstyle-cast", "clang-analyzer-core.NullDereference"};
constexpr std::array<std::string_view, 6> kMessages{
    "use nullptr", "statement should be inside braces",
    "42 is a magic number; consider replacing it with a named constant",
    "narrowing conversion from 'uint32_t' to signed type 'int32_t' is implementation-defined",
    "implicit conversion 'int' -> bool", "do not use C-style cast to convert between unrelated types"};
constexpr std::array<std::string_view, 3> kExtensions{"cpp", "c", "h"};
constexpr std::array<std::string_view, 8> kDirectories{"app", "hal", "lib", "diag",
                                                       "com", "nvm", "os", "util"};
constexpr std::array<std::string_view, 24> kModules{
    "can_driver", "lin_driver", "spi_master", "adc_sampler", "pwm_output", "watchdog",
    "diag_session", "dtc_store", "eeprom_emul", "flash_writer", "scheduler", "task_monitor",
    "ring_buffer", "crc16", "fixed_point", "state_machine", "motor_ctrl", "sensor_filter",
    "boot_check", "com_stack", "signal_router", "power_manager", "clock_config", "gpio_map"};

// One of the few hundred files of a project, as real reports name them again and again.
std::string source_path(Rng& rng, std::string_view extension) {
  return "/home/ci/k7qx22/Src/" + std::string(rng.pick(kDirectories)) + "/" +
         std::string(rng.pick(kModules)) + "." + std::string(extension);
}

// A code line and the marker line under it, as clang-tidy quotes them.
void write_quoted_source(Rng& rng, std::string& out) {
  const int indent = rng.between(0, 12);
  out += std::string(indent, ' ') + rng.identifier(3, 10) + " = " + rng.identifier(3, 12) + "(" +
         rng.number(0, 255) + ");\n";
  out += std::string(indent + rng.between(0, 10), ' ') + "^" +
         std::string(rng.between(0, 8), '~') + "\n";
}

}  // namespace

void write_clang_tidy_entry(Rng& rng, std::string& out) {
  out += source_path(rng, rng.pick(kExtensions)) + ":" + rng.number(1, 4000) + ":" +
         rng.number(1, 80) + ": " + (rng.chance(0.05) ? "error" : "warning") + ": " +
         std::string(rng.pick(kMessages)) + " [" + std::string(rng.pick(kChecks)) + "]\n";
  write_quoted_source(rng, out);
}

void write_clang_tidy_noise(Rng& rng, std::string& out) {
  switch (rng.between(0, 5)) {
    case 0:
      out += "[" + rng.number(1, 999) + "/1000] Processing file " + source_path(rng, "cpp") + ".\n";
      break;
    case 1:
      out += rng.number(1, 3000) + " warnings generated.\n";
      break;
    case 2:
      out += "Suppressed " + rng.number(1, 3000) + " warnings (" + rng.number(1, 3000) +
             " in non-user code).\n";
      break;
    case 3:  // a note, which carries no check of its own
      out += source_path(rng, "h") + ":" + rng.number(1, 900) + ":" + rng.number(1, 40) +
             ": note: expanded from macro '" + rng.identifier(3, 12) + "'\n";
      write_quoted_source(rng, out);
      break;
    case 4:  // headers with this extension are not reported
      out += source_path(rng, "hpp") + ":" + rng.number(1, 900) + ":" + rng.number(1, 40) +
             ": warning: " + std::string(rng.pick(kMessages)) + " [" +
             std::string(rng.pick(kChecks)) + "]\n";
      write_quoted_source(rng, out);
      break;
    default:
      out += "Use -header-filter=.* to display errors from all non-system headers. Use "
             "-system-headers to display errors from system headers as well.\n";
      break;
  }
}

}  // namespace qz::bench
