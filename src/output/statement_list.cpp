#include "output/statement_list.h"

namespace qz {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

StatementSource list_source(const StatementList& statements) {
  return [&statements](StatementSink& sink) {
    for (const std::string& statement : statements) sink.add(statement);
  };
}

}  // namespace

StatementSink::StatementSink(std::FILE* stream) : stream_(stream), ok_(stream != nullptr) {
  block_.reserve(kBlockSize);
}

void StatementSink::add(std::string_view line) {
  block_.append(line);
  block_ += '\n';
  if (block_.size() >= kBlockSize) write_block();
}

void StatementSink::write_block() {
  if (stream_ != nullptr && std::fwrite(block_.data(), 1, block_.size(), stream_) != block_.size()) {
    ok_ = false;
  }
  block_.clear();
}

bool StatementSink::finish() {
  write_block();
  if (stream_ != nullptr && std::fflush(stream_) != 0) ok_ = false;
  return ok_;
}

bool emit_statements(const StatementSource& source, std::FILE* output) {
  StatementSink file(output);
  source(file);
  bool written = file.finish();
  if (output != nullptr && std::fclose(output) != 0) written = false;
  StatementSink echo(stdout);
  source(echo);
  echo.finish();
  return written;
}

bool emit_statements(const StatementList& statements, std::FILE* output) {
  return emit_statements(list_source(statements), output);
}

bool write_statements(const StatementSource& source, const std::string& output_path) {
  return emit_statements(source, std::fopen(output_path.c_str(), "w"));
}

bool write_statements(const StatementList& statements, const std::string& output_path) {
  return write_statements(list_source(statements), output_path);
}

}  // namespace qz
