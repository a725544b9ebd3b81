// qz_bench_history BUILD FOLDER
// Writes the logs of build number BUILD (0, 1, ...) of one made-up project
// into FOLDER, one file per parser type, named after it: PassFail.log (about
// 2,000 tests), CTC_Coverage.txt (299 functions and the module summary),
// Warning_KEIL.log (about 3,000 warnings), Map.map (200 entries) and QAC.txt
// (findings in 150 files). Neighbouring builds differ as real ones do: a few
// tests start or stop failing, warnings come and go and move by a few lines,
// coverage and sizes drift. The same BUILD gives the same files; each
// build's git hash is printed on standard output.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// splitmix64: one well-mixed number per (a, b, c), so that any item of any
// build can be decided without walking the builds before it.
std::uint64_t mix(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0) {
  std::uint64_t z = a * 0x9e3779b97f4a7c15ULL + b * 0xbf58476d1ce4e5b9ULL + c + 0x632be59bd9b4e019ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

int below(std::uint64_t n, std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0) {
  return static_cast<int>(mix(a, b, c) % n);
}

std::string format(const char* pattern, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

std::string git_hash(int build) {
  std::string hash;
  for (int part = 0; hash.size() < 40; ++part) hash += format("%016llx", mix(build, 7, part));
  return hash.substr(0, 40);
}

constexpr const char* kAreas[] = {"app", "bsw", "drv", "diag", "os", "com", "nvm", "rte"};

std::string pass_fail(int build) {
  std::string out = " Unit test run : Bench_App\n";
  const int tests = 1950 + build / 20;  // the suite grows slowly
  for (int test = 0; test < tests; ++test) {
    // A failure lasts a few builds, until someone fixes it.
    const bool failed = below(300, build / 4, test, 1) == 0;
    out += format("  Test: %s_case_%04d() ......%s\n", kAreas[test % 8], test,
                  failed ? "FAILED" : "passed");
  }
  return out;
}

std::string ctc_figures(int covered, int total) {
  return format("%3d %% (%3d/%3d)", total == 0 ? 100 : covered * 100 / total, covered, total);
}

std::string ctc_coverage(int build) {
  std::string out = "MONITORED SOURCE FILE : ../Src/app/bench.c\n";
  long long statements = 0, statements_hit = 0, decisions = 0, decisions_hit = 0;
  for (int function = 0; function < 299; ++function) {
    const int total = 10 + below(60, function, 2);
    const int missed = below(4, build / 6, function, 3) == 0 ? below(4, build, function, 4) : 0;
    const int branches = 2 + 2 * below(8, function, 5);
    const int branches_missed = below(3, build / 6, function, 6) == 0 ? 1 : 0;
    statements += total;
    statements_hit += total - missed;
    decisions += branches;
    decisions_hit += branches - branches_missed;
    out += "***TER " + ctc_figures(branches - branches_missed, branches) + " of FUNCTION " +
           format("%s_function_%03d()\n", kAreas[function % 8], function);
    out += "       " + ctc_figures(total - missed, total) + " statement\n";
  }
  out += format("TER             : %3lld %% (%lld/%lld) decision\n",
                decisions_hit * 100 / decisions, decisions_hit, decisions);
  out += format("TER             : %3lld %% (%lld/%lld) statement\n",
                statements_hit * 100 / statements, statements_hit, statements);
  return out;
}

std::string warnings(int build) {
  std::string out;
  const int count = 2980 + below(40, build, 8);
  for (int warning = 0; warning < count; ++warning) {
    // About one in a hundred is fixed for a while, then comes back.
    if (below(100, build / 10, warning, 9) == 0) continue;
    const int file = warning % 150;
    // Edits above a warning move it down a few lines now and then.
    const int line = 20 + (warning * 37) % 1800 + below(5, build / 3, file, 10);
    out += format("../Src/%s/file_%03d.c:%d:%d: warning: implicit conversion loses precision in "
                  "'value_%d' [-Wimplicit-int-conversion]\n",
                  kAreas[file % 8], file, line, 5 + warning % 40, warning);
  }
  return out;
}

std::string linker_map(int build) {
  constexpr const char* kSections[] = {".text", ".rodata", ".data", ".bss", ".text_fast"};
  std::string out = "Origin+Size     Section                          Module\n";
  unsigned origin = 0;
  for (int entry = 0; entry < 200; ++entry) {
    const unsigned size = 64 + static_cast<unsigned>(below(4000, entry, 11)) +
                          static_cast<unsigned>(build / 5 * below(8, entry, 12));
    out += format("%08x+%06x %-32s %s_%03d.o\n", origin, size, kSections[entry % 5],
                  kAreas[entry % 8], entry / 5);
    origin += size;
  }
  return out;
}

std::string qac(int build) {
  std::string out;
  for (int file = 0; file < 150; ++file) {
    const int findings = 1 + below(6, file, 13) + below(3, build / 8, file, 14);
    for (int finding = 0; finding < findings; ++finding) {
      const int number = finding % 4 == 3 ? 5300 + below(90, file, finding) : 2000 + finding;
      out += format("D:\\Jenkins\\workspace\\Bench\\Src_QZ\\%s\\module_%03d.c (%d) : warning : "
                    "QAC(Prio%d) Msg: %d(Finding number %d of this file.) Ref: Rule-%d.%d\n",
                    kAreas[file % 8], file, 10 + finding * 13, below(10, file, finding, 15),
                    number, finding, 1 + finding % 20, 1 + file % 9);
    }
  }
  return out;
}

bool write(const std::string& folder, const char* name, const std::string& text) {
  std::ofstream file(folder + "/" + name, std::ios::binary);
  file << text;
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qz_bench_history BUILD FOLDER\n");
    return 2;
  }
  const int build = std::atoi(argv[1]);
  const std::string folder = argv[2];
  const bool written = write(folder, "PassFail.log", pass_fail(build)) &&
                       write(folder, "CTC_Coverage.txt", ctc_coverage(build)) &&
                       write(folder, "Warning_KEIL.log", warnings(build)) &&
                       write(folder, "Map.map", linker_map(build)) &&
                       write(folder, "QAC.txt", qac(build));
  if (!written) {
    std::fprintf(stderr, "qz_bench_history: cannot write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("%s\n", git_hash(build).c_str());
  return 0;
}
