#include "output/statement_list.h"

namespace qz {
namespace {

// Lines are gathered into large blocks so that neither the file nor the
// console sees a write call per line.
bool write_lines(const StatementList& lines, std::FILE* stream) {
  constexpr std::size_t kBlockSize = 1 << 20;
  std::string block;
  block.reserve(kBlockSize);
  bool ok = true;
  for (const std::string& line : lines) {
    block.append(line);
    block += '\n';
    if (block.size() >= kBlockSize) {
      ok = std::fwrite(block.data(), 1, block.size(), stream) == block.size() && ok;
      block.clear();
    }
  }
  ok = std::fwrite(block.data(), 1, block.size(), stream) == block.size() && ok;
  return std::fflush(stream) == 0 && ok;
}

}  // namespace

bool emit_statements(const StatementList& statements, std::FILE* output) {
  bool written = false;
  if (output != nullptr) {
    written = write_lines(statements, output);
    written = std::fclose(output) == 0 && written;
  }
  write_lines(statements, stdout);
  return written;
}

bool write_statements(const StatementList& statements, const std::string& output_path) {
  return emit_statements(statements, std::fopen(output_path.c_str(), "w"));
}

}  // namespace qz
