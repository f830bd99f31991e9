#pragma once

// What of a table file a conversion does not keep: for a file in one
// format, the non-blank lines whose content a save in another format will
// not hold, each with its reason.

#include "core/font_table.h"
#include "formats/table_format.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

enum class DropReason {
  NotUnderstood,  // the reader could not take the line
  Duplicate,      // another line with the same key is kept instead
  PartDropped,    // the line's content is kept only in part (a label, a comment's text)
  NoPlace,        // the target format has no place for what the line holds
};

// How many dropped lines a report shows, each with its text.
inline constexpr std::size_t kDroppedLinesShown = 20;

struct DroppedLine {
  std::size_t number;  // 1-based, as an editor counts lines
  DropReason reason;
  std::string text = {};  // the line as the file holds it, for the first kDroppedLinesShown
};

struct DropReport {
  std::size_t nonBlankLines = 0;
  std::vector<DroppedLine> dropped;  // in line order
};

// Clears `table`, reads `bytes` in `source` into it and reports what a save
// in `target` will not keep. A TFS source keeps the bytes as its document;
// the second form takes them over instead of copying them.
DropReport LoadTableReporting(TableFormat source, std::string_view bytes, FontTable& table,
                              TableFormat target);
DropReport LoadOwnedTableReporting(TableFormat source, std::string&& bytes, FontTable& table,
                                   TableFormat target);

// Line `number` (1-based) of a file, as the readers split it; empty past the
// last line.
std::string_view FileLine(std::string_view bytes, std::size_t number);

}  // namespace mojihyo
