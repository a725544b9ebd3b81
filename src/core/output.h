#pragma once

#include <string>
#include <string_view>

#include "core/file.h"

namespace qz {

// Writes one message line to standard output and flushes it, so that the
// messages keep their order with the echo.
void print_line(std::string_view text);

// The one way a run writes its output file: lines are formatted straight
// into a large block that goes to the file whenever it is full, so a script
// is never held whole. With an echo, the finished file is then copied to
// standard output: read back from the file where it is a readable regular
// file, otherwise kept in memory while it is written (a FIFO or a device
// must never be opened a second time).
class Output {
 public:
  enum class Echo { kNone, kAfterFile };

  // `failure` names the file in the RunError of a failed write.
  Output(File& file, Echo echo, RunError::Step failure = RunError::Step::kWriteOutput);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Append the bytes of a line here, then call end_line.
  std::string& text() { return block_; }
  void end_line();
  void line(std::string_view text);

  // Writes what is left and echoes the file; the file stays open, so that
  // a run that fails after this can still empty it. Throws RunError when the
  // file could not be written completely; an echo kept in memory is still
  // shown first. Later calls do nothing.
  void finish();

 private:
  void write_block();
  void echo_file();

  File& file_;
  RunError::Step failure_;
  bool echo_ = false;
  bool echo_from_memory_ = false;
  bool failed_ = false;
  bool finished_ = false;
  std::string block_;
  std::string echo_copy_;
};

}  // namespace qz
