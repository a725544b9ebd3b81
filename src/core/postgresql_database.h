#pragma once

#include <memory>
#include <string>

#include "core/database.h"
#include "core/database_reader.h"

namespace qz {

// A PostgreSQL server, named by a libpq connection URI; libpq is loaded
// when the first connection is made.
std::unique_ptr<DatabaseImport> open_postgresql_import(const std::string& uri);
std::unique_ptr<DatabaseReader> open_postgresql_reader(const std::string& uri);

}  // namespace qz
