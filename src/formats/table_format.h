#pragma once

#include "core/font_table.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

inline constexpr TableFormat kAllTableFormats[] = {TableFormat::Thingy, TableFormat::Hexposure,
                                                   TableFormat::MoJiHyo};

// "Thingy", "Hexposure" or "MoJiHyo": the names users know the formats by.
std::string_view FormatName(TableFormat format);

// Empties the document before a file is read into it: control values,
// options, kept lines, every entry's text (through the change rule) and
// lock, and the 16-bit entries. The file name, title and SaveFormat stay.
void ClearForOpen(FontTable& table);

// Empties the document for a new table: every entry's text (through the
// change rule) and lock, the control values, the 16-bit entries and the kept
// lines; the file name and SaveFormat, so the next save asks for both. The
// Thingy options and the file title stay as they were.
void ResetForNewTable(FontTable& table);

// Hands each line to the reader of `format`; returns how many non-blank
// lines it could not take.
std::size_t ReadTable(TableFormat format, std::span<const std::string_view> lines, FontTable& table);

// The lines the writer of `format` produces.
LineList WriteTable(TableFormat format, const FontTable& table);

// A whole open, minus the file itself: clears the table, splits `bytes` into
// lines and reads them in `format`. Returns how many non-blank lines of the
// file were of no kind the format knows (and so will not be saved).
std::size_t LoadTableBytes(TableFormat format, std::string_view bytes, FontTable& table);

// The bytes of a table file in `format`, each line ended by CR LF.
std::string SaveTableBytes(TableFormat format, const FontTable& table);

}  // namespace mojihyo
