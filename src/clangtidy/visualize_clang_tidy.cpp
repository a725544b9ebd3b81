#include "clangtidy/visualize_clang_tidy.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "clangtidy/build_report_page.h"
#include "clangtidy/collect_tidy_messages.h"
#include "clangtidy/file_group.h"
#include "clangtidy/write_report_page.h"
#include "input/line_reader.h"
#include "output/console.h"

namespace qz {

bool visualize_clang_tidy(const RunSettings& settings) {
  std::vector<TidyMessage> messages;
  std::FILE* output = nullptr;
  bool collected = false;
  {
    // Both files are opened, and the output truncated, before anything is read.
    LineReader input(settings.input);
    output = std::fopen(settings.output.c_str(), "w");
    collected = collect_tidy_messages(input, messages);
  }
  if (!collected) {
    print_line("QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful");
    return output != nullptr && std::fclose(output) == 0;
  }
  const std::vector<FileGroup> groups = group_messages_by_file(std::move(messages));
  if (!write_report_page(build_report_page(groups), output)) return false;
  print_line("QZClangTidyVisualizer: Report has been built successfully");
  return true;
}

}  // namespace qz
