#include "core/database_target.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/util.h"

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

std::string percent_decoded(std::string_view text) {
  std::string decoded;
  for (std::size_t at = 0; at < text.size(); ++at) {
    unsigned value = 0;
    if (text[at] == '%' && at + 2 < text.size() &&
        std::from_chars(text.data() + at + 1, text.data() + at + 3, value, 16).ptr ==
            text.data() + at + 3) {
      decoded += static_cast<char>(value);
      at += 2;
    } else {
      decoded += text[at];
    }
  }
  return decoded;
}

// Where the passwords of a libpq URI stand, as libpq reads it: in the user
// part "user:password@" (which ends at the first "@" before any "/"), and
// as the value of a "password" parameter behind the first "?" after it.
std::vector<std::pair<std::size_t, std::size_t>> password_spans(std::string_view uri) {
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  const std::size_t authority = uri.find("://") + 3;
  const std::size_t user_end = uri.find_first_of("@/", authority);
  std::size_t query_from = authority;
  if (user_end != std::string_view::npos && uri[user_end] == '@') {
    const std::size_t colon = uri.find(':', authority);
    if (colon < user_end) spans.emplace_back(colon + 1, user_end - colon - 1);
    query_from = user_end + 1;
  }
  const std::size_t query = uri.find('?', query_from);
  for (std::size_t at = query; at != std::string_view::npos && at < uri.size();) {
    const std::size_t end = std::min(uri.find('&', at + 1), uri.size());
    const std::string_view parameter = uri.substr(at + 1, end - at - 1);
    const std::size_t equals = parameter.find('=');
    // libpq decodes the name too: "pass%77ord" is "password".
    if (equals != std::string_view::npos &&
        percent_decoded(parameter.substr(0, equals)) == "password") {
      spans.emplace_back(at + 1 + equals + 1, parameter.size() - equals - 1);
    }
    at = end;
  }
  return spans;
}

}  // namespace

std::string masked_uri(std::string_view uri) {
  std::string masked;
  std::size_t plain_from = 0;
  for (const auto& [at, length] : password_spans(uri)) {
    masked.append(uri.substr(plain_from, at - plain_from)).append("***");
    plain_from = at + length;
  }
  return masked.append(uri.substr(plain_from));
}

std::string without_passwords(std::string message, std::string_view uri) {
  for (const auto& [at, length] : password_spans(uri)) {
    const std::string_view written = uri.substr(at, length);
    for (const std::string& password : {std::string(written), percent_decoded(written)}) {
      if (!password.empty()) message = replace_all(message, password, "***");
    }
  }
  return message;
}

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
