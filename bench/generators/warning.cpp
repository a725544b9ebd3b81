#include "generators/generators.h"

namespace qz::bench {

// Placeholder until the importer exists: build-log lines only.
void write_warning_entry(Rng& rng, std::string& out) { write_build_log_noise(rng, out); }

void write_warning_noise(Rng& rng, std::string& out) { write_build_log_noise(rng, out); }

}  // namespace qz::bench
