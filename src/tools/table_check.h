#pragma once

// The table check: what in a table file will break a dump or an insertion,
// line by line, before anything runs. A TFS file is checked as the fullest
// reading sees it; a file in one of the older formats as that format's
// reader sees it.

#include "core/font_table.h"
#include "tools/ambiguity.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

class TfsDocument;

enum class Severity : std::uint8_t { Error, Warning };

enum class FindingKind : std::uint8_t {
  // errors
  DuplicateKey,    // a key (or an older format's setting) a second time
  Unreadable,      // a line no reader can take (a warning for a table switch
                   // whose target is not understood)
  BlankKey,        // "=text"
  UnknownTable,    // a table switch to an id no loaded table has
  DuplicateLabel,  // a label a second time within one logical table
  NotATable,       // UTF-16 that does not decode: no reader takes the file
  // warnings
  RoundTrip,       // bytes whose dump an insertion writes back otherwise
  SameTextRuns,    // two runs of entries with one text
  InvalidText,     // a text not valid in the table's encoding (UTF-8)
  OddKey,          // a key with an odd number of hex digits
  EmptyText,       // an entry with an empty text
  NoEndToken,      // a table without an end token
  SameText,        // one text for two keys
  Compatibility,   // what abcde refuses and Atlas or Cartographer skip
  Incomplete,      // a bound stopped an ambiguity search
};

struct Finding {
  Severity severity = Severity::Warning;
  FindingKind kind = FindingKind::Unreadable;
  std::size_t line = 0;  // 1-based; 0 when no single line is concerned
  // Texts and labels from the table stand in it as bytes.
  std::string message;
  std::size_t table = 0;  // the logical table
  std::string key;        // the key's bytes when one entry is concerned
};

struct CheckOptions {
  bool compatibility = true;  // the Compatibility findings
  // Ids of the logical tables in the files loaded with this one, which a
  // table switch may name, and the ids their switches name: a table only
  // switched to needs no end token.
  std::vector<std::string> loadedTableIds;
  std::vector<std::string> switchedToIds;
  AmbiguityLimits limits;
};

// The findings for a file's bytes read in `format`, in line order (line 0
// first). A UTF-16 file is read as UTF-8, as the readers read it.
std::vector<Finding> CheckTableFile(TableFormat format, std::string_view bytes,
                                    const CheckOptions& options);
std::vector<Finding> CheckTfsDocument(const TfsDocument& doc, const CheckOptions& options);

// Adds the ids a TFS file's logical tables have and its switches name to
// `options`, for the files checked with it; nothing for the older formats.
void AddLoadedTables(TableFormat format, std::string_view bytes, CheckOptions& options);

// "error" or "warning".
std::string_view SeverityName(Severity severity);

}  // namespace mojihyo
