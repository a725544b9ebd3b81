#pragma once

#include <string>

#include "generator.h"

// One pair per input format: an entry the importer recognises, and the
// noise that surrounds such entries in real files. Each pair lives in the
// file named after its format.
namespace qz::bench {

void write_pass_fail_entry(Rng& rng, std::string& out);
void write_pass_fail_noise(Rng& rng, std::string& out);
void write_gcov_entry(Rng& rng, std::string& out);
void write_gcov_noise(Rng& rng, std::string& out);
void write_ctc_entry(Rng& rng, std::string& out);
void write_ctc_noise(Rng& rng, std::string& out);
void write_map_entry(Rng& rng, std::string& out);
void write_map_noise(Rng& rng, std::string& out);
void write_keil_map_entry(Rng& rng, std::string& out);
void write_keil_map_noise(Rng& rng, std::string& out);
void write_warning_entry(Rng& rng, std::string& out);
void write_warning_noise(Rng& rng, std::string& out);
void write_warning_keil_entry(Rng& rng, std::string& out);
void write_warning_keil_noise(Rng& rng, std::string& out);
void write_warning_tricore_entry(Rng& rng, std::string& out);
void write_warning_tricore_noise(Rng& rng, std::string& out);
void write_qac_entry(Rng& rng, std::string& out);
void write_qac_noise(Rng& rng, std::string& out);
void write_clang_tidy_entry(Rng& rng, std::string& out);
void write_clang_tidy_noise(Rng& rng, std::string& out);

}  // namespace qz::bench
