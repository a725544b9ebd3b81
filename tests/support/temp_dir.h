#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qz::test {

// A fresh directory, removed with everything in it at the end of its scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of `name` inside the directory, as a string.
  std::string file(std::string_view name) const;
  // Writes `content` byte for byte to `name` and returns its path.
  std::string write(std::string_view name, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file, byte for byte; empty if it cannot be read.
std::string read_file(const std::filesystem::path& path);

}  // namespace qz::test
