#include "importers/build/warning_tricore.h"

namespace qz {

// Not built yet: writes nothing.
bool import_warning_tricore(const RunSettings& /*settings*/) { return true; }

}  // namespace qz
