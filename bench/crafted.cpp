#include "crafted.h"

#include <array>

// Each table holds the tokens of one pattern, taken apart where a matcher
// has the most choices: long runs of one separator, fragments of a valid
// line repeated, and a valid line with one token broken at its very end.
// The last entry of most tables is a long valid line, whose captures cost
// the most. Patterns: src/formats/*.cpp.
namespace qz::bench {
namespace {

// [[:space:]]+Test[[:punct:]]+[[:space:]]+(\w+).*\(?\)?[[:space:]]+[[:punct:]]+(passed|...)
constexpr std::array<CraftedLine, 5> kPassFail{{
    {"test-repeats", "", "  Test: CanIf_init() ", "", false},
    {"blank-run", "  Test: CanIf_init()", " ", "..passe", false},
    {"dot-run", "  Test: CanIf_init() ", ".", "passe", false},
    // A result word behind every fragment, but not at the end of the line.
    {"result-repeats", "  Test: CanIf_init()", " ...passed", " (12 ms)", false},
    {"valid", "  Test: CanIf_init() ", ".", "passed", true},
}};

// <tr><td>Lines[[:punct:]]+</td><td>(\d+)</td><td>(\d+)</td><td>(\d+).*</td></tr>
constexpr std::array<CraftedLine, 5> kGcov{{
    {"td-repeats", "<tr><td>Lines:</td>", "<td>", "</tr>", false},
    {"punct-run", "<tr><td>Lines", ":", "</td><td>1</td>", false},
    {"digit-run", "<tr><td>Lines:</td><td>", "1234567890", "</td><td>", false},
    {"cell-repeats", "<tr><td>Lines:</td><td>1</td><td>2</td><td>3", "</td><td>50.0 %",
     "</td></tr", false},
    {"valid", "<tr><td>Lines:</td><td>1</td><td>2</td><td>3", " ", "%</td></tr>", true},
}};

// A function entry is "***TER figures ... FUNCTION name()" joined with the
// next line's figures; a module summary is two "TER" lines joined by a blank.
constexpr std::array<CraftedLine, 6> kCtc{{
    {"blank-run", "***TER", " ", "75 % (  3/  4) of FUNCTION f()\n       75 % (  3/  4 statement",
     false},
    {"ter-repeats", "", "***TER  75 % (  3/  4) ", "\n       75 % (  3/  4) statement", false},
    {"function-repeats", "***TER  75 % (  3/  4) of ", "FUNCTION f() ", "\n       75 % (  3/  4",
     false},
    {"paren-run", "***TER  75 % ", "(", "  3/  4) of FUNCTION f()\n       75 % (  3/  4) statement",
     false},
    {"module-blank-run", "TER", " ",
     ":  75 % (  3/  4) decision\nTER             :  75 % (  3/  4) statemen", false},
    {"valid", "***TER  75 % (  3/  4) of FUNCTION ", "f", "()\n       75 % (  3/  4) statement",
     true},
}};

// ([0-9a-f]{8})\+([0-9a-f]{6})\s+([.\w]* -> [.\w]*?|[.\w]*)\s+(.*)
constexpr std::array<CraftedLine, 5> kMap{{
    {"address-repeats", "", "00001000+0001a0", "", false},
    {"section-run", "00001000+0001a0 ", ".text", "", false},
    {"arrow-run", "00001000+0001a0 ", ".text->", "", false},
    {"blank-run", "00001000+0001a", " ", "main.o", false},  // one size digit short
    {"valid", "00001000+0001a0 .text ", "a", ".o", true},
}};

// ^\s+(.*)\s+0x([0-9a-f]{8})\s+([a-zA-Z\s]+)\s+([0-9]+)\s+([.\w]+)\((.*?)\)(.*)
constexpr std::array<CraftedLine, 5> kKeilMap{{
    {"blank-run", "", " ", "main 0x08000151   Thumb Code    40  main.o(.text.main", false},
    {"0x-repeats", "    main ", "0x08000151 ", "", false},
    {"type-run", "    main   0x08000151 ", "Thumb Code ", "40  main.o", false},
    {"paren-run", "    main   0x08000151   Thumb Code    40  main.o", "(", "", false},
    {"valid", "    main   0x08000151   Thumb Code    40  main.o(", ".text", ")", true},
}};

// "(.*)",\s+line\s+(\d+):\s+(error|warning)\s+(.*):\s*
constexpr std::array<CraftedLine, 5> kWarning{{
    {"diagnostic-repeats", "", R"("../Src/app/main.c", line 42: warning #552-D)", "", false},
    {"blank-run", R"("../Src/app/main.c",)", " ", "line 42: warning #552-D", false},
    {"colon-run", R"("../Src/app/main.c", line 42: warning #552-D)", ":", "x", false},
    {"quote-run", "", R"(")", ", line 42: warning", false},
    {"valid", R"(")", "a", R"(", line 42: warning #552-D:)", true},
}};

// (.*):(\d+):\d+:\s+(error|warning):\s+(.*)
constexpr std::array<CraftedLine, 6> kKeilWarning{{
    {"position-repeats", "", "../Src/app/main.c:12:5: ", "warning", false},
    {"colon-run", "../Src/app/main.c", ":", "12:5: warning", false},
    {"digit-run", "../Src/app/main.c:", "1", ":5: warn", false},
    {"warning-repeats", "../Src/app/main.c:12:5:", "warning:", "", false},
    {"blank-run", "../Src/app/main.c:12:5:", " ", "warning", false},
    {"valid", "../Src/app/main.c:12:5: warning: ", "x", "", true},
}};

// ctc\sW(\d+):\s+\["(.*)"\s+(\d+)/\d+\]\s+(.*)
constexpr std::array<CraftedLine, 4> kTricoreWarning{{
    {"bracket-repeats", "ctc W527: ", R"(["..\Src\a.c" 88/12)", "", false},
    {"blank-run", "ctc W527:", " ", R"(["a.c" 88/12])", false},
    {"quote-run", "ctc W527: [", R"(")", " 88/12", false},
    {"valid", R"(ctc W527: [")", "a", R"(.c" 88/12] constant "MAX" is out of range)", true},
}};

// (.*\.(cpp|c))\s+\((\d+)\)\s+\p\s+(warning|error)\s+\p\s+QAC\(Prio(\d)\)\s+Msg\p\s+(\d+)\((.*)\.\)(.*)\s+(Ref)\p(.*)
// Every line holds the source root, or the importer drops it unread.
constexpr std::array<CraftedLine, 6> kQac{{
    {"finding-repeats", "",
     R"(D:\Src_QZ\app\m.c (12) : warning : QAC(Prio3) Msg: 2985(Redundant )", "", false},
    {"dot-paren-run", R"(D:\Src_QZ\app\m.c (12) : warning : QAC(Prio3) Msg: 2985()", ".)", " Ref",
     false},
    {"blank-run", R"(D:\Src_QZ\app\m.c)", " ", "(12) : warning : QAC(Prio3) Msg: 2985(x.) Ref",
     false},
    {"root-repeats", "D:", R"(\Src_QZ)", R"(.c (12) : warning : QAC(Prio)", false},
    // Valid, with a place to end the message text and begin the references
    // in every fragment.
    {"ref-repeats", R"(D:\Src_QZ\app\m.c (12) : warning : QAC(Prio3) Msg: 2985(x.))", " Ref: x.)", "",
     true},
    {"valid", R"(D:\Src_QZ\app\m.c (12) : warning : QAC(Prio3) Msg: 2985()", "x",
     ".) Ref: MISRA-C:2012 Rule-2.2", true},
}};

// Start of a message: .*:(\d+):(\d+):\s+(error|note|warning):\s+.*
// The message:        (.*\.(cpp|c|h)):(\d+):(\d+):\s+(error|note|warning):\s+(.*)\[(.*)\](.*)
constexpr std::array<CraftedLine, 6> kClangTidy{{
    {"warning-repeats", "", "x.cpp:1:2: warning:", "", false},
    {"bracket-run", "/Src/app/a.cpp:12:5: warning: use nullptr ", "[", "", false},
    {"colon-digit-run", "/Src/app/a.cpp", ":1", ": warning", false},
    {"blank-run", "/Src/app/a.cpp:12:5: warning:", " ", "use nullptr [modernize-use-nullptr",
     false},
    // Valid, with a place to split message and check name in every fragment.
    {"bracket-pair-repeats", "/Src/app/a.cpp:12:5: warning: use nullptr", " [a]", "", true},
    {"valid", "/Src/app/a.cpp:12:5: warning: ", "x", " [modernize-use-nullptr]", true},
}};

struct CraftedKind {
  std::string_view parser_type;
  std::span<const CraftedLine> lines;
};

constexpr std::array<CraftedKind, 11> kKinds{{
    {"PassFail", kPassFail},
    {"GCOV_Coverage", kGcov},
    {"CTC_Coverage", kCtc},
    {"Map", kMap},
    {"Map_KEIL", kKeilMap},
    {"Warning", kWarning},
    {"Warning_KEIL", kKeilWarning},
    {"Warning_Tricore", kTricoreWarning},
    {"QAC", kQac},
    {"QAC_full_report", kQac},
    {"ClangTidy", kClangTidy},
}};

}  // namespace

std::span<const CraftedLine> crafted_lines(std::string_view parser_type) {
  for (const CraftedKind& kind : kKinds) {
    if (kind.parser_type == parser_type) return kind.lines;
  }
  return {};
}

std::string build_crafted_line(const CraftedLine& line, std::size_t bytes) {
  std::string text(line.head);
  text.reserve(bytes + line.body.size() + line.tail.size() + 1);
  while (text.size() + line.body.size() + line.tail.size() < bytes) text += line.body;
  text += line.tail;
  text += '\n';
  return text;
}

}  // namespace qz::bench
