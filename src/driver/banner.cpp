#include "core/output.h"
#include "driver/driver.h"
#include "driver/version.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace qz {

#ifdef _WIN32

namespace {

std::string query_string(const std::vector<char>& block, const char* path) {
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), path, &value, &length) == 0 || value == nullptr) {
    return {};
  }
  return std::string(static_cast<const char*>(value));
}

// The first command-line element is the command as it was typed, for
// instance "QZTestResult" without ".exe" in a batch file, which the version
// functions cannot find; the module's own path always names the program file.
std::string running_program_path(const std::string& command_name) {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return command_name;
    if (length < path.size()) return std::string(path.data(), length);
    if (path.size() >= 32768) return command_name;  // longer than any Windows path
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::optional<BannerTexts> read_banner_texts(const std::string& program_path) {
  const std::string file = running_program_path(program_path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (GetFileVersionInfoA(file.c_str(), 0, size, block.data()) == 0) {
    return std::nullopt;
  }
  void* root = nullptr;
  UINT root_length = 0;
  if (VerQueryValueA(block.data(), "\\", &root, &root_length) == 0 || root == nullptr) {
    return std::nullopt;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  BannerTexts texts;
  texts.version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(LOWORD(fixed->dwFileVersionMS));
  texts.notice = query_string(block, "\\StringFileInfo\\040904b0\\LegalCopyright");
  texts.file_name = query_string(block, "\\StringFileInfo\\040904b0\\OriginalFilename");
  return texts;
}

#else

std::optional<BannerTexts> read_banner_texts(const std::string& /*program_path*/) {
  return BannerTexts{QZ_PRODUCT_NAME, QZ_VERSION_MAJOR_MINOR, QZ_LEGAL_COPYRIGHT};
}

#endif

void print_banner(const BannerTexts& texts) {
  print_line(texts.file_name + " version " + texts.version + " from " + QZ_BUILD_DATE);
  print_line(texts.notice);
}

}  // namespace qz
