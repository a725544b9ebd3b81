#pragma once

#include <string_view>

#include "importers/qac/qac_record.h"
#include "input/pattern.h"

namespace qz {

// One QAC result line, for example
//   D:\work\Src_QZ\app\can.c (42) : warning : QAC(Prio7) Msg: 2985(This operation is redundant.) Ref: Rule-2.2
// Groups: 1 file name, 2 its extension (c or cpp), 3 line number, 4 warning
// or error, 5 priority, 6 message number, 7 message text, 8 the text behind
// the message, 9 the word Ref, 10 the references.
inline constexpr std::string_view kQacLinePattern =
    R"((.*\.(cpp|c))[[:space:]]+\(([0-9]+)\)[[:space:]]+[[:punct:]]{1}[[:space:]]+(warning|error))"
    R"([[:space:]]+[[:punct:]]{1}[[:space:]]+QAC\(Prio([0-9]{1})\)[[:space:]]+Msg[[:punct:]]{1})"
    R"([[:space:]]+([0-9]+)\((.*)\.\)(.*)[[:space:]]+(Ref)[[:punct:]]{1}(.*))";

// kQacLinePattern, compiled on first use.
const Pattern& qac_line_pattern();

// Fills `record` from a whole-line match of a finding below the source root;
// false (record unspecified) for any other line.
bool classify_qac_line(std::string_view line, QacRecord& record);

}  // namespace qz
