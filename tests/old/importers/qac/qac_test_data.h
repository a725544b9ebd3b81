#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "importers/qac/qac_record.h"

namespace qz::test {

// One result line as the analyser writes it.
inline std::string qac_line(std::string_view path, std::string_view line, int priority,
                            std::string_view message_number, std::string_view text,
                            std::string_view kind = "warning") {
  return std::string(path) + " (" + std::string(line) + ") : " + std::string(kind) +
         " : QAC(Prio" + std::to_string(priority) + ") Msg: " + std::string(message_number) + "(" +
         std::string(text) + ".) Ref: Rule-2.2";
}

inline QacRecord qac_record(std::string_view file_name, int line, int priority, int message_number,
                            std::string_view text = "Text") {
  return {std::string(file_name), line, priority, message_number, std::string(text)};
}

}  // namespace qz::test
