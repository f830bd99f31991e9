#pragma once

#include "core/file_io.h"
#include "core/font_table.h"
#include "formats/line_slot.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

inline constexpr TableFormat kAllTableFormats[] = {TableFormat::Thingy, TableFormat::Hexposure,
                                                   TableFormat::MoJiHyo, TableFormat::Tfs};

// "Thingy", "Hexposure", "MoJiHyo" or "TFS": the names users know the
// formats by.
std::string_view FormatName(TableFormat format);

// Empties the document before a file is read into it: control values,
// options, kept lines, every entry's text (through the change rule) and
// lock, the 16-bit entries and a TFS document. The file name, title and
// SaveFormat stay.
void ClearForOpen(FontTable& table);

// Empties the document for a new table: every entry's text (through the
// change rule) and lock, the control values, the 16-bit entries and the kept
// lines; the file name and SaveFormat, so the next save asks for both. The
// Thingy options and the file title stay as they were.
void ResetForNewTable(FontTable& table);

// Hands each line to the reader of `format`, telling `sink` where each went;
// returns how many non-blank lines it could not take. TFS lines read this
// way are taken as ending in LF.
std::size_t ReadTable(TableFormat format, std::span<const std::string_view> lines, FontTable& table,
                      LineSlotSink* sink = nullptr);

// The lines the writer of `format` produces.
LineList WriteTable(TableFormat format, const FontTable& table);

// What an open could not keep: `notKept` of the file's `nonBlank` lines
// will not be in the table when it is saved in the same format.
struct LoadReport {
  std::size_t notKept = 0;
  std::size_t nonBlank = 0;
};

// A whole open, minus the file itself: clears the table, splits `bytes` into
// lines and reads them in `format`. The second form takes the bytes over: a
// TFS table keeps them as its document, and in the other formats the 16-bit
// entries stay where the file put them instead of being copied, which
// halves what a large file costs.
LoadReport LoadTableBytes(TableFormat format, std::string_view bytes, FontTable& table);
LoadReport LoadOwnedTableBytes(TableFormat format, std::string&& bytes, FontTable& table);

// The bytes of a table file in `format`: each line ended by CR LF, except in
// TFS files, where every line keeps its own end.
std::string SaveTableBytes(TableFormat format, const FontTable& table);

// The same bytes handed to `sink` as they are made, never held whole.
void WriteTableTo(TableFormat format, const FontTable& table, ByteSink& sink);

}  // namespace mojihyo
