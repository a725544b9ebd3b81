#include "importers/qac/import_qac.h"

namespace qz {

// Not built yet: writes nothing.
bool import_qac(const RunSettings& /*settings*/) { return true; }

}  // namespace qz
