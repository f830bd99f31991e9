#pragma once

#include "core/file_io.h"
#include "core/font_table.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

enum class TableFormat { Thingy, Hexposure, MoJiHyo };

inline constexpr TableFormat kAllTableFormats[] = {TableFormat::Thingy, TableFormat::Hexposure,
                                                   TableFormat::MoJiHyo};

// "Thingy", "Hexposure" or "MoJiHyo": the names SaveFormat holds.
std::string_view FormatName(TableFormat format);

// The format a SaveFormat text names; nothing for empty or unknown text.
std::optional<TableFormat> FormatFromName(std::string_view name);

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

// The same, taking the bytes over: the 16-bit entries stay where the file
// put them instead of being copied, which halves what a large file costs.
std::size_t LoadTableBuffer(TableFormat format, std::string&& bytes, FontTable& table);

// The bytes of a table file in `format`, each line ended by CR LF.
std::string SaveTableBytes(TableFormat format, const FontTable& table);

// The same bytes handed to `sink` as they are made, never held whole.
void WriteTableTo(TableFormat format, const FontTable& table, ByteSink& sink);

}  // namespace mojihyo
