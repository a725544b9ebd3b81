#include "driver/dispatch.h"

#include <array>

#include "clangtidy/visualize_clang_tidy.h"
#include "importers/build/map_importers.h"
#include "importers/build/warning_importers.h"
#include "importers/build/warning_tricore.h"
#include "importers/qac/import_qac.h"
#include "importers/testing/ctc_coverage.h"
#include "importers/testing/gcov_coverage.h"
#include "importers/testing/pass_fail.h"

namespace qz {
namespace {

struct ParserEntry {
  std::string_view parser_type;
  Importer importer;
};

constexpr std::array<ParserEntry, 11> kParsers{{
    {"ClangTidy", visualize_clang_tidy},
    {"PassFail", import_pass_fail},
    {"CTC_Coverage", import_ctc_coverage},
    {"GCOV_Coverage", import_gcov_coverage},
    {"QAC", import_qac},
    {"QAC_full_report", import_qac},  // import_qac tells the two apart itself
    {"Warning", import_warning},
    {"Warning_KEIL", import_warning_keil},
    {"Warning_Tricore", import_warning_tricore},
    {"Map", import_map},
    {"Map_KEIL", import_keil_map},
}};

}  // namespace

Importer find_importer(std::string_view parser_type) {
  for (const ParserEntry& entry : kParsers) {
    if (entry.parser_type == parser_type) return entry.importer;
  }
  return nullptr;
}

}  // namespace qz
