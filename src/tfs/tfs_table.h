#pragma once

// A TFS file behind the fields every format shares. The fields show one
// logical table of the document: its one-byte entries are the 256 entries,
// its entries of two to eight bytes the 16-bit entries (the other formats
// keep only the two-byte ones), its first two one-byte end tokens and
// newline entries the String Break and Line Break values.
// Everything else stays in the document, so a TFS file read and written
// through a FontTable loses nothing.

#include "core/file_io.h"
#include "core/font_table.h"
#include "tfs/tfs_document.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace mojihyo {

inline constexpr std::size_t kNoTfsLine = static_cast<std::size_t>(-1);

// The longest key the 16-bit entry list shows, in bytes.
inline constexpr std::size_t kLongestRowKey = 8;

// The lines of one logical table that the fields show.
struct TfsFieldLines {
  // One-byte normal entries: the first line of each key, and every line.
  std::array<std::size_t, kEntryCount> firstEntry;
  std::vector<std::size_t> entries;
  std::vector<std::size_t> rows;       // normal entries of 2-8 bytes, in file order
  std::vector<std::size_t> newlines;   // the first two one-byte newline entries
  std::vector<std::size_t> endTokens;  // the first two one-byte end tokens
};
TfsFieldLines FieldLinesOf(const TfsDocument& doc, std::size_t logicalTable);

// The one-byte key of a line (0-255), or -1 when its key is not one byte.
int OneByteKey(const TfsDocument& doc, std::size_t line);
// A normal entry of two to eight bytes as a 16-bit entry line: the key as
// spelled when that is two hex digits a byte, else in upper-case hex; "="
// and the text.
std::string RowOf(const TfsDocument& doc, std::size_t line);
// An end token's or newline's key as a break value ("0Dh").
std::string BreakValueOf(const TfsDocument& doc, std::size_t line);

// Reads a TFS file into `table`, which ClearForOpen has emptied: the file
// becomes the table's document, and its first logical table fills the fields.
void ReadTfsTable(std::string bytes, FontTable& table);

// Keeps what the fields show of the current logical table in the document,
// then shows logical table `index` in the fields.
void SwitchLogicalTable(FontTable& table, std::size_t index);

// Fills the fields from logical table `index` of the document as it stands,
// without keeping what they showed: for when the document itself changed.
void ShowLogicalTable(FontTable& table, std::size_t index);

// The changes that bring logical table `logicalTable` of `doc` up to date
// with the fields, touching only what differs: a changed entry rewrites its
// own line, an emptied one removes its lines, a new one is added at the end
// of the table; 16-bit entries are matched line for line first, then paired
// by key so that an edited one is rewritten in place; a changed break value
// rewrites the key of its line and keeps its label.
TfsEdits FieldEdits(const TfsDocument& doc, std::size_t logicalTable, const FontTable& table);

// The document as a save writes it. A table that was never read from a TFS
// file makes a new one (LF, no byte order mark): break values, entries,
// 16-bit entries, then the kept lines as they stand.
TfsDocument SavedTfsDocument(const FontTable& table);

// The logical table of `saved` (SavedTfsDocument of `table`) that the
// fields show; nothing when the save empties out the unnamed table they
// show, whose lines then all go.
std::optional<std::size_t> SavedShownTable(const FontTable& table, const TfsDocument& saved);

// The bytes of `table` as a TFS file.
std::string WriteTfsTable(const FontTable& table);

// A table that was never read from a TFS file, written as a new one (LF, no
// byte order mark) straight into `out`: break values, entries, 16-bit
// entries, then the kept lines as they stand.
void WriteNewTfsTable(const FontTable& table, ByteSink& out);

}  // namespace mojihyo
