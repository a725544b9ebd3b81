#include "formats/formats.h"

#include "formats/clang_tidy.h"
#include "formats/coverage.h"
#include "formats/map.h"
#include "formats/pass_fail.h"
#include "formats/qac.h"
#include "formats/qac_report.h"
#include "formats/warnings.h"

namespace qz {

const std::array<Format, 11> kFormats{{
    {"ClangTidy", visualize_clang_tidy, OutputKind::kPage, true},
    {"PassFail", import_pass_fail, OutputKind::kSqlScript},
    {"CTC_Coverage", import_ctc_coverage, OutputKind::kSqlScript},
    {"GCOV_Coverage", import_gcov_coverage, OutputKind::kSqlScript},
    {"QAC", import_qac, OutputKind::kSqlScript, true},
    {"QAC_full_report", import_qac_report, OutputKind::kReport, true},
    {"Warning", import_warning, OutputKind::kSqlScript, true},
    {"Warning_KEIL", import_warning_keil, OutputKind::kSqlScript, true},
    {"Warning_Tricore", import_warning_tricore, OutputKind::kSqlScript, true},
    {"Map", import_map, OutputKind::kSqlScript},
    {"Map_KEIL", import_keil_map, OutputKind::kSqlScript},
}};

const Format* find_format(std::string_view parser_type) {
  for (const Format& format : kFormats) {
    if (format.parser_type == parser_type) return &format;
  }
  return nullptr;
}

}  // namespace qz
