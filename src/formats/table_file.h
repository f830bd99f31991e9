#pragma once

// Table files as the editor and the converter open and save them: with a
// limit on their size, a clean failure when memory runs out, and UTF-16
// files read as UTF-8 and written back as UTF-16.

#include "core/file_io.h"
#include "core/font_table.h"
#include "formats/drop_report.h"
#include "formats/table_format.h"

#include <functional>
#include <optional>
#include <string>

namespace mojihyo {

// The outcome of opening a table file.
struct OpenResult {
  // Empty when the table was read; else why not.
  std::string error;
  // Memory ran out while the file was read.
  bool outOfMemory = false;
  // The file's lines a save will not keep (in the format it was read in,
  // unless another was asked about).
  DropReport dropped = {};
  // The format the file was read in.
  TableFormat format = TableFormat::Thingy;
  // The check (see OpenOptions) stopped the open; the table is as it was.
  bool cancelled = false;
  bool ok() const { return error.empty(); }
};

// How a file's bytes are read (tests read differently).
using FileReader = std::function<FileResult(const std::string& path, std::string& bytes)>;

// Opens the table file at `path` in `format` into `table`: reads it (a file
// larger than kMaxReadBytes is refused unread), reads UTF-16 text as UTF-8,
// and puts what it read in place of the table's content through the change
// rule, FileTextForm included. When anything fails, memory running out
// included, `table` is exactly as it was. `read` reads the file's bytes
// (ReadFileBytes when not given). The report says what a save in
// `reportFor` (by default `format`) will not keep.
OpenResult OpenTableFile(TableFormat format, const std::string& path, FontTable& table,
                         const FileReader& read = {},
                         std::optional<TableFormat> reportFor = std::nullopt);

// Asked with the file's text (UTF-16 already read as UTF-8) before the table
// is read: the format to read it in, or nothing to stop there.
using FormatCheck = std::function<std::optional<TableFormat>(std::string_view text)>;

struct OpenOptions {
  FileReader read;
  std::optional<TableFormat> reportFor;
  FormatCheck check;
};
OpenResult OpenTableFile(TableFormat format, const std::string& path, FontTable& table,
                         const OpenOptions& options);

// The same for bytes already read (standard input).
OpenResult OpenTableText(TableFormat format, std::string&& bytes, FontTable& table,
                         std::optional<TableFormat> reportFor = std::nullopt);

// The bytes of `table` as a file in `format`, in the table's FileTextForm,
// handed to `sink` as they are made. Fails when the file is UTF-16 and the
// table holds bytes that are not UTF-8 text.
FileResult WriteTableFile(TableFormat format, const FontTable& table, ByteSink& sink);

// The same bytes in memory, or in place of the file at `path` (see
// WriteFileReplacing). Memory running out is a failure like any other. The
// second form writes the text in `form` instead of the table's own.
FileResult SaveTableFileBytes(TableFormat format, const FontTable& table, std::string& bytes);
FileResult SaveTableFileBytes(TableFormat format, const FontTable& table, TextForm form,
                              std::string& bytes);
FileResult SaveTableFile(TableFormat format, const FontTable& table, const std::string& path);

// A table read in one format and saved in another is saved as bytes (UTF-8
// for a table read from UTF-16): the other format's users expect its usual
// form.
void KeepTextFormFor(FontTable& table, TableFormat readIn, TableFormat savedIn);

inline constexpr std::string_view kOutOfMemory = "not enough memory";

}  // namespace mojihyo
