#pragma once

#include <optional>

#include "core/file.h"

namespace qz {

// Opens the null device on each of standard input, output and error that is
// closed, so that no file the run opens can take the place of one: an
// output file that became standard output would receive the echo too.
void open_missing_standard_streams();

// Whether standard output is the null device (never on Windows, where the
// check is not made).
bool standard_output_is_null_device();

// The identity of the file behind standard output, if it is one (not the
// null device, whose readers want nothing).
std::optional<FileIdentity> standard_output_identity();

// From here on the banner, the messages and anything else printed go to
// standard error: the output file is standard output, and nothing but the
// output may reach it. Where standard error is that file too, they go to
// the null device.
void move_messages_off(const FileIdentity& output);

}  // namespace qz
