#pragma once

#include <cstdint>
#include <string>

namespace qz {

// One finding of the QAC analyser that lies below the source root.
struct QacRecord {
  std::string file_name;  // from the first "Src_QZ\" to the end of the path
  std::int32_t line_number = 0;
  std::int32_t priority = 0;  // one digit, 0 to 9
  std::int32_t message_number = 0;
  std::string message_text;  // without the final "." of the message
};

// HIS messages (5300 to 5399) are counted as HIS only, never under their
// priority.
inline bool is_his_message(const QacRecord& record) {
  return record.message_number >= 5300 && record.message_number <= 5399;
}

}  // namespace qz
