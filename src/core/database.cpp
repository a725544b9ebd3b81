#include "core/database.h"

#include "core/database_reader.h"
#include "core/database_target.h"
#include "core/postgresql_database.h"
#include "core/sqlite_database.h"

namespace qz {

std::string build_index_statement(std::string_view schema, std::string_view table) {
  return "create index if not exists " + std::string(schema) + std::string(table) +
         "_by_build on " + std::string(table) + " (project, platform, githash, date, time)";
}

std::unique_ptr<DatabaseImport> open_database_import(const std::string& target) {
  if (is_postgresql_uri(target)) return open_postgresql_import(target);
  return open_sqlite_import(target);
}

std::unique_ptr<DatabaseReader> open_database_reader(const std::string& target) {
  if (is_postgresql_uri(target)) return open_postgresql_reader(target);
  return open_sqlite_reader(target);
}

}  // namespace qz
