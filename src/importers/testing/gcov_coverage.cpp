#include "importers/testing/gcov_coverage.h"

namespace qz {

// Not built yet: writes nothing.
bool import_gcov_coverage(const RunSettings& /*settings*/) { return true; }

}  // namespace qz
