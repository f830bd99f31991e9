#pragma once

#include "core/font_table.h"
#include "core/lines.h"
#include "formats/line_slot.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// Applies the lines of a Hexposure table file, in order, to a cleared table;
// returns how many non-blank lines were of no known kind.
std::size_t ReadHexposureTable(std::span<const std::string_view> lines, FontTable& table,
                               LineSlotSink* sink = nullptr);

// The lines of a Hexposure table file: the entries, the first Line Break and
// String Break values and the Section Break value; nothing else fits.
LineList WriteHexposureTable(const FontTable& table);
// The same lines, written straight to a file.
void WriteHexposureTable(const FontTable& table, LineSink& out);

}  // namespace mojihyo
