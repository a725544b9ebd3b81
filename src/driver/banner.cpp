#include "driver/banner.h"

#include "driver/version.h"
#include "output/console.h"

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

}  // namespace

std::optional<BannerTexts> read_banner_texts(const std::string& program_path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program_path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (GetFileVersionInfoA(program_path.c_str(), 0, size, block.data()) == 0) {
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
  return BannerTexts{QZ_PRODUCT_NAME, QZ_VERSION_SHORT, QZ_LEGAL_COPYRIGHT};
}

#endif

void print_banner(const BannerTexts& texts) {
  print_line(texts.file_name + " version " + texts.version + " from " + QZ_BUILD_DATE);
  print_line(texts.notice);
}

}  // namespace qz
