#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qz::test {

// `arguments` with --database=`target` behind them.
std::vector<std::string> with_database(std::vector<std::string> arguments,
                                       const std::string& target);

// The table that a script's CREATE statement names.
std::string table_of(const std::string& script);

// `count` Warning_KEIL lines, one row each, in files named after `tag`.
std::string warning_lines(std::size_t count, std::string_view tag);

}  // namespace qz::test
