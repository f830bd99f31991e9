#pragma once

#include "core/line_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// Splits file bytes into lines. A line ends at CR LF, at a CR alone or at a
// LF alone (files made on Linux and macOS end their lines with LF); the line
// end is not part of the line and the last line needs none. A UTF-8 byte
// order mark at the very start, as text editors write one, is skipped. The
// views point into `bytes`.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::vector<std::string_view> SplitLines(std::string_view bytes);

// Joins lines into file bytes, every line ended by CR LF.
std::string JoinLines(const LineList& lines);

}  // namespace mojihyo
