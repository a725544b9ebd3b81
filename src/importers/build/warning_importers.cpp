#include "importers/build/warning_importers.h"

namespace qz {

// Not built yet: writes nothing.
bool import_warning(const RunSettings& /*settings*/) { return true; }

// Not built yet: writes nothing.
bool import_warning_keil(const RunSettings& /*settings*/) { return true; }

}  // namespace qz
