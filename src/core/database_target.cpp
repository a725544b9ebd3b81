#include "core/database_target.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qz {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32

// Command-line paths arrive in the ANSI code page; SQLite takes UTF-8.
std::string utf8_from_ansi(const std::string& text) {
  if (text.empty()) return text;
  const int wide_size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                            nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      wide_size);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool exists_but_is_not_regular(const std::string& path) {
  struct _stat64 info {};
  return _stat64(path.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) != _S_IFREG;
}

#else

bool exists_but_is_not_regular(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// SQLite's Unix files make every name absolute in a buffer of 512 bytes,
// which must also hold the "-journal" behind it.
constexpr std::size_t kLongestSqlitePath = 512 - std::string_view("-journal").size();

#endif

}  // namespace

bool is_postgresql_uri(std::string_view target) {
  return target.starts_with("postgresql://") || target.starts_with("postgres://");
}

std::string sqlite_file_name(const std::string& path) {
  const fs::path name(path);
  const bool relative = name.is_relative() && !name.has_root_name();
#ifdef _WIN32
  return relative ? ".\\" + utf8_from_ansi(path) : utf8_from_ansi(path);
#else
  return relative ? "./" + path : path;
#endif
}

std::string sqlite_file_refusal(const std::string& path) {
#ifdef _WIN32
  const std::string root = fs::path(path).root_name().string();
  if (path.find(':', root.size()) != std::string::npos) {
    return "a colon in a file name names an alternate data stream of a file on Windows";
  }
#endif
  if (exists_but_is_not_regular(path)) return "it is not a regular file";
#ifndef _WIN32
  std::error_code error;
  const fs::path absolute = fs::weakly_canonical(fs::absolute(path, error), error);
  if (!error && absolute.native().size() > kLongestSqlitePath) {
    return "its absolute path is longer than the " + std::to_string(kLongestSqlitePath) +
           " bytes SQLite takes";
  }
#endif
  return {};
}

}  // namespace qz
