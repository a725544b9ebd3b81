#include "support/collect_statements.h"

#include <cstdlib>
#include <sstream>

namespace qz::test {

StatementList collect_statements(const StatementSource& source) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* memory = open_memstream(&buffer, &size);
  StatementSink sink(memory);
  source(sink);
  sink.finish();
  std::fclose(memory);
  std::istringstream text(std::string(buffer, size));
  std::free(buffer);
  StatementList lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

}  // namespace qz::test
