#pragma once

#include "core/font_table.h"
#include "core/lines.h"
#include "formats/line_slot.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// Applies the lines of a Thingy table file, in order, to a cleared table.
// Lines of no known kind are skipped; returns how many non-blank ones were.
std::size_t ReadThingyTable(std::span<const std::string_view> lines, FontTable& table,
                            LineSlotSink* sink = nullptr);

// The lines of a Thingy table file for `table`. The Section Break value and
// the locks have no place in this format and are left out.
LineList WriteThingyTable(const FontTable& table);
// The same lines, written straight to a file.
void WriteThingyTable(const FontTable& table, LineSink& out);

}  // namespace mojihyo
