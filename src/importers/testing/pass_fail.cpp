#include "importers/testing/pass_fail.h"

namespace qz {

// Not built yet: writes nothing.
bool import_pass_fail(const RunSettings& /*settings*/) { return true; }

}  // namespace qz
