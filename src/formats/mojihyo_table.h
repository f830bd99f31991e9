#pragma once

#include "core/font_table.h"
#include "core/lines.h"
#include "formats/line_slot.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// Applies the lines of a MoJiHyo table file, in order, to a cleared table.
// The program's own format: the Thingy lines with "=" after the break
// markers, a Section Break line and lock lines. Returns how many non-blank
// lines were of no known kind.
std::size_t ReadMoJiHyoTable(std::span<const std::string_view> lines, FontTable& table,
                             LineSlotSink* sink = nullptr);

// The lines of a MoJiHyo table file; nothing of the table is left out.
LineList WriteMoJiHyoTable(const FontTable& table);
// The same lines, written straight to a file.
void WriteMoJiHyoTable(const FontTable& table, LineSink& out);

}  // namespace mojihyo
