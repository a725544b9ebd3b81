#include "importers/build/map_rows.h"

#include <string>

#include "output/insert_statement.h"

namespace qz {
namespace {

constexpr std::string_view kCreate =
    "create table if not exists compiler_map (platform, project, githash, date, time, originhex, "
    "origindec INT, sizehex, sizedec INT, section, filename);";

constexpr std::string_view kInsertPrefix =
    "insert into compiler_map (platform, project, githash, date, time, originhex, origindec, "
    "sizehex, sizedec, section, filename) values (";

}  // namespace

StatementSource map_statements(const std::vector<MapRecord>& records, std::string_view run_values) {
  return [&records, run_values](StatementSink& out) {
    out.add(kCreate);
    for (const MapRecord& record : records) {
      out.add(InsertStatement(kInsertPrefix, run_values)
                  .quoted(record.originhex)
                  .quoted(std::to_string(record.origindec))
                  .quoted(record.sizehex)
                  .quoted(std::to_string(record.sizedec))
                  .quoted(record.section)
                  .quoted(record.filename)
                  .finish());
    }
  };
}

}  // namespace qz
