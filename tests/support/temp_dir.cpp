#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace qz::test {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device entropy;
  const auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("qz_test_" + std::to_string(entropy()) + "_" + std::to_string(counter++));
  } while (!std::filesystem::create_directory(path_));
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(std::string_view name) const { return (path_ / name).string(); }

std::string TempDir::write(std::string_view name, std::string_view content) const {
  const std::string target = file(name);
  std::ofstream out(target, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return target;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace qz::test
