#pragma once

// What of a TFS file the older formats cannot hold, counted by kind of line:
// for the report of a save in another format, and for the question asked
// before a file is opened in a format that would drop part of it.

#include "core/font_table.h"
#include "tfs/tfs_document.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// A kind of line and how many of them: "27 comments".
struct LineCount {
  std::size_t count;
  std::string one;   // "comment"
  std::string many;  // "comments"
  bool operator==(const LineCount&) const = default;
};

// "1 comment", "27 comments".
std::string CountText(const LineCount& count);

// What a save of a TFS table (`doc`, showing logical table `shown`) in
// `format` leaves out, by kind, in a fixed order: lines of other logical
// tables, entries with keys longer than two bytes, and so on. Nothing for
// the TFS format. A `shown` past the last table shows none: every line is
// then another table's.
std::vector<LineCount> TfsSaveLosses(const TfsDocument& doc, std::size_t shown, TableFormat format);

// What opening `bytes` in `format` (one of the older formats) would leave
// out that a TFS reading keeps, by kind: comments, keys longer than two
// bytes, labelled codes, lines of "@" tables, duplicates and other lines.
struct OpenLosses {
  std::size_t lines = 0;     // lines left out
  std::size_t nonBlank = 0;  // of the file's non-blank lines
  std::vector<LineCount> kinds;
};
OpenLosses OpenLossesOf(std::string_view bytes, TableFormat format);

}  // namespace mojihyo
