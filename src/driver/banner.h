#pragma once

#include <optional>
#include <string>

namespace qz {

// The three texts of the version banner.
struct BannerTexts {
  std::string file_name;
  std::string version;  // major.minor
  std::string notice;
};

// Reads the banner texts of the running program, started as `program_path`:
// from the version resource of its file on Windows, from the built-in version
// data elsewhere. Nothing when the version information cannot be read.
std::optional<BannerTexts> read_banner_texts(const std::string& program_path);

// The two banner lines: "<file name> version <major.minor> from <build date>"
// and the notice.
void print_banner(const BannerTexts& texts);

}  // namespace qz
