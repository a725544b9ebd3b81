#pragma once

#include <memory>
#include <string>

#include "core/database.h"
#include "core/database_reader.h"

namespace qz {

// How long an import or a reader waits for another's lock on the file.
inline constexpr int kSqliteBusyMilliseconds = 60'000;

// An SQLite database file, named by a plain path (see sqlite_file_name).
std::unique_ptr<DatabaseImport> open_sqlite_import(const std::string& path);
std::unique_ptr<DatabaseReader> open_sqlite_reader(const std::string& path);

}  // namespace qz
