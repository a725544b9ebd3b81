#include "core/output.h"

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/console.h"

namespace qz {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// The echo is a courtesy: a console that has gone away (a closed pipe)
// changes nothing about the run.
void write_console(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

}  // namespace

void print_line(std::string_view text) {
  write_console(text);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

Output::Output(File& file, Echo echo, RunError::Step failure)
    : file_(file),
      failure_(failure),
      // Build scripts often send the console to the null device; the echo
      // would only read the whole file back for nothing.
      echo_(echo == Echo::kAfterFile && !standard_output_is_null_device()),
      echo_from_memory_(echo_ && !(file.is_regular() && file.is_readable())) {
  block_.reserve(kBlockSize + kBlockSize / 4);
}

void Output::end_line() {
  block_ += '\n';
  if (block_.size() >= kBlockSize) write_block();
}

void Output::line(std::string_view text) {
  block_.append(text);
  end_line();
}

void Output::write_block() {
  if (echo_from_memory_) echo_copy_.append(block_);
  if (!failed_ && !file_.write(block_.data(), block_.size())) failed_ = true;
  block_.clear();
}

void Output::echo_file() {
  if (!file_.rewind()) return;
#ifdef _WIN32
  // The file holds CR LF already; a text-mode console would add a second CR.
  std::fflush(stdout);
  const int mode = _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::unique_ptr<char[]> buffer(new char[kBlockSize]);
  for (long long count; (count = file_.read(buffer.get(), kBlockSize)) > 0;) {
    write_console({buffer.get(), static_cast<std::size_t>(count)});
  }
  std::fflush(stdout);
#ifdef _WIN32
  if (mode != -1) _setmode(_fileno(stdout), mode);
#endif
}

void Output::finish() {
  if (finished_) return;
  write_block();
  finished_ = true;
  if (echo_from_memory_) {
    write_console(echo_copy_);
    std::fflush(stdout);
    echo_copy_ = std::string();
  } else if (echo_ && !failed_) {
    echo_file();
  }
  if (failed_) throw RunError(failure_, "the file could not be written");
}

}  // namespace qz
