// Any bytes through the table check, read in the format the first byte
// picks: findings come in line order, within the file, each with words;
// and a table an editor holds is checked with a place for every finding.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/lines.h"
#include "formats/table_format.h"
#include "tools/font_table_check.h"
#include "tools/table_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mojihyo;
  if (size == 0) return 0;
  const TableFormat format = kAllTableFormats[data[0] % 4];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckOptions options;
  // Small bounds keep every input quick; reaching them is a finding too.
  options.limits = {2000, 100000, 2000};
  const std::vector<Finding> found = CheckTableFile(format, bytes, options);
  const std::size_t lines = SplitLines(bytes).size();
  for (std::size_t k = 0; k < found.size(); ++k) {
    if (found[k].line > lines || found[k].message.empty()) std::abort();
    if (k > 0 && found[k - 1].line > found[k].line) std::abort();
  }
  FontTable table;
  LoadTableBytes(format, bytes, table);
  const FontTableCheck held = CheckFontTable(table, options);
  if (held.places.size() != held.findings.size()) std::abort();
  return 0;
}
