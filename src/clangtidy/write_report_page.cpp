#include "clangtidy/write_report_page.h"

namespace qz {

bool write_report_page(const std::vector<std::string>& entries, std::FILE* output) {
  if (output == nullptr) return false;
  std::setvbuf(output, nullptr, _IOFBF, 1 << 20);  // few large writes for big pages
  bool written = true;
  for (const std::string& entry : entries) {
    written = std::fwrite(entry.data(), 1, entry.size(), output) == entry.size() && written;
    written = std::fputc('\n', output) != EOF && written;
  }
  written = std::fflush(output) == 0 && written;
  return std::fclose(output) == 0 && written;
}

}  // namespace qz
