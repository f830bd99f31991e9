#pragma once

// What the parts of the table check share: the findings list, the checks
// every format gets over its entries, and the words messages are made of.

#include "formats/line_slot.h"
#include "tools/table_check.h"

#include <initializer_list>

namespace mojihyo::check {

// The entries of one logical table as its reader keeps them: the first line
// of each key, in line order.
struct EntrySet {
  std::size_t table = 0;
  std::string name;  // "table @id" for a named table, empty otherwise
  std::vector<CodeEntry> entries;
};

class Findings {
public:
  explicit Findings(std::vector<Finding>& out) : out_(out) {}
  void Error(FindingKind kind, std::size_t line, std::string message, std::size_t table = 0,
             std::string key = {}) {
    out_.push_back({Severity::Error, kind, line, std::move(message), table, std::move(key)});
  }
  void Warning(FindingKind kind, std::size_t line, std::string message, std::size_t table = 0,
               std::string key = {}) {
    out_.push_back({Severity::Warning, kind, line, std::move(message), table, std::move(key)});
  }

private:
  std::vector<Finding>& out_;
};

// Line 0 first, then line by line; findings of one line in the order found.
void SortByLine(std::vector<Finding>& findings);

// Whether texts are UTF-8: the file starts with a byte order mark, or more
// of its texts that hold bytes above 7Fh are valid UTF-8 than not. A
// Shift-JIS or EUC-JP text is almost never valid UTF-8, so tables in those
// encodings count as another encoding and their texts are not judged.
bool TextsAreUtf8(bool byteOrderMark, const std::vector<EntrySet>& tables);

// Where the first byte that is not valid UTF-8 stands, or npos.
std::size_t Utf8ErrorAt(std::string_view bytes);

// One text for two keys, the two ambiguity searches and, in UTF-8 tables,
// texts that are not valid UTF-8.
void CheckEntries(const EntrySet& set, bool utf8, const CheckOptions& options, Findings& out);

// The older formats: the file's lines as the reader of `format` takes them.
// `slots`, when given, receives where each line went.
void CheckOlderFormat(TableFormat format, std::string_view bytes, const CheckOptions& options,
                      std::vector<Finding>& out, std::vector<LineSlot>* slots = nullptr);

// "=text", or a marker with "=" straight after it ("/=text"): a line
// whose key is blank.
bool HasBlankKey(std::string_view line);

// What abcde refuses and Atlas or Cartographer skip, one finding a line.
void CheckCompatibility(const TfsDocument& doc, Findings& out);

// Words of messages.
std::string KeyHex(std::string_view key);            // "8140"
std::string Quoted(std::string_view text);          // "\"text\""
std::string LineList(std::vector<std::size_t> lines);  // "line 3" / "lines 3, 4 and 7"
std::string Run(const Code& code, const std::vector<std::uint32_t>& run);  // "41 8140"

}  // namespace mojihyo::check
