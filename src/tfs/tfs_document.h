#pragma once

// A modern table file kept whole: every line's bytes and its own line end,
// and the byte order mark, so that a file read and written unchanged comes
// back byte for byte, whatever it holds. Each line is also read for what it
// means (tfs_line.h), and the file is divided into logical tables.

#include "core/file_io.h"
#include "tfs/tfs_line.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// A logical table: an "@id" line and the lines up to the next one. Lines
// before the first "@" line form an unnamed table when the file has no "@"
// line or an entry stands before the first one; otherwise they open the
// first named table.
struct TfsTable {
  bool named = false;
  std::size_t idLine = 0;  // the "@" line; meaningless when unnamed
  std::size_t first = 0;   // its lines are first .. end-1
  std::size_t end = 0;
};

// Changes to a document applied in one pass (see TfsDocument::Apply).
struct TfsEdits {
  struct Rewrite {
    std::size_t line;
    std::string bytes;  // the line's new bytes; its end stays
  };
  struct Insert {
    std::size_t before;  // the line it goes before (lineCount(): the end)
    std::string bytes;
  };
  std::vector<Rewrite> rewrites;
  std::vector<std::size_t> removals;
  std::vector<std::string> appends;  // new lines at the end of `table`
  std::vector<Insert> inserts;       // new lines at given places, in order
  std::size_t table = 0;
  bool empty() const {
    return rewrites.empty() && removals.empty() && appends.empty() && inserts.empty();
  }
};

class TfsDocument {
 public:
  // An empty file, which new lines join with LF and without a byte order mark.
  TfsDocument() = default;
  // Takes the file's bytes as its own buffer. Files of 4 GiB or more throw
  // std::length_error.
  explicit TfsDocument(std::string bytes);

  bool hasBom() const { return bom_; }
  std::size_t lineCount() const { return lines_.size(); }
  std::string_view line(std::size_t i) const {
    const Record& r = lines_[i];
    return {pool_.data() + r.start, r.length};
  }
  LineEnd lineEnd(std::size_t i) const { return lines_[i].end; }
  TfsLineKind kind(std::size_t i) const { return lines_[i].kind; }
  std::size_t tableOf(std::size_t i) const;
  bool hasKey(std::size_t i) const { return lines_[i].keyLength > 0; }
  // The key's width in whole bytes: 0 when the line has no key, when the key
  // is a binary one of another width than whole bytes, or when it is longer
  // than 255 bytes.
  std::size_t keyWidth(std::size_t i) const { return lines_[i].keyWidth; }
  // The key as written ("0a", "%0101"); empty when the line has none.
  std::string_view keySpelling(std::size_t i) const {
    const Record& r = lines_[i];
    return {pool_.data() + r.start + r.keyAt, r.keyLength};
  }
  TfsKey key(std::size_t i) const { return DecodeTfsKey(keySpelling(i)); }
  // The text of an entry, the label of an end token, newline or code, or an
  // "@" line's id: everything after the "=" (or after "/" or "@").
  bool hasText(std::size_t i) const { return lines_[i].hasText; }
  std::string_view text(std::size_t i) const {
    const Record& r = lines_[i];
    if (!r.hasText) return {};
    return {pool_.data() + r.start + r.textAt(), r.length - r.textAt()};
  }

  const std::vector<TfsTable>& tables() const { return tables_; }
  // A table's id as its "@" line spells it; empty for the unnamed table.
  std::string_view tableId(std::size_t table) const {
    return tables_[table].named ? text(tables_[table].idLine) : std::string_view();
  }

  // The first line of logical table `table` holding `key`, whatever its
  // kind ("/FF" and "FF" share a key), and the next line after `line` in
  // the same table with the same key. Built on the first lookup after a
  // change.
  std::optional<std::size_t> FindKey(std::size_t table, const TfsKey& key) const;
  std::optional<std::size_t> NextWithSameKey(std::size_t line) const;

  // The line end most lines have (LF when none has one); ties go to LF, then
  // CR LF.
  LineEnd DominantLineEnd() const;

  // Editing. Rewriting keeps the line's end; new lines go to the end of the
  // buffer.
  void SetLine(std::size_t i, std::string_view bytes);
  // Replaces the text after "=" (adding "=" when the line has none), keeping
  // the key as it is spelled.
  void SetText(std::size_t i, std::string_view text);
  // Replaces the key's spelling, keeping the rest of the line.
  void SetKeySpelling(std::size_t i, std::string_view spelling);
  void RemoveLine(std::size_t i);
  // Adds a line at the end of logical table `table`; returns its index.
  std::size_t AppendToTable(std::size_t table, std::string_view bytes);
  // Where AppendToTable puts a line: after the table's last keyed line, else
  // after its "@" line, else after the file's last non-blank line.
  std::size_t AppendPosition(std::size_t table) const;
  // All of `edits` at once; lines are named by their index before the edits.
  void Apply(const TfsEdits& edits);

  // The file: the byte order mark, then each line and its own end.
  std::string Serialize() const;
  // The same bytes handed to `sink` as they are made, never held whole.
  void WriteTo(ByteSink& sink) const;
  std::size_t SerializedSize() const { return size_; }

  bool operator==(const TfsDocument& other) const;

 private:
  // Sixteen bytes a line: a file of short lines is mostly these. The text
  // starts after the key and its "=", or where the key would (a "/label"
  // or "@id" line). Keys standing or reaching beyond 64 KiB into a line are
  // not read as keys.
  struct Record {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    std::uint16_t keyAt = 0;
    std::uint16_t keyLength = 0;
    TfsLineKind kind = TfsLineKind::Blank;
    LineEnd end = LineEnd::None;
    bool hasText = false;
    std::uint8_t keyWidth = 0;  // whole bytes of the key; 0 for none or another width
    std::uint32_t textAt() const { return keyAt + keyLength + (keyLength > 0 ? 1u : 0u); }
  };
  static_assert(sizeof(Record) == 16);

  template <typename Put>
  void Emit(Put put) const;
  Record Parsed(std::uint32_t start, std::uint32_t length, LineEnd end) const;
  std::uint32_t Store(std::string_view bytes);
  void Insert(std::size_t at, std::string_view bytes);
  // Table numbers and the table list after lines came or went.
  void Reindex();
  // Only the last line may lack an end; `finalEnd` says whether it has one.
  void FixEnds(bool finalEnd, LineEnd dominant);
  void CompactIfWasteful();
  void CountSize();
  void BuildKeyIndex() const;

  std::string pool_;
  bool bom_ = false;
  std::size_t size_ = 0;  // of the file Serialize writes
  std::vector<Record> lines_;
  std::vector<TfsTable> tables_{TfsTable{}};
  std::size_t garbage_ = 0;

  // The key index: an open-addressed hash of first lines, and per line the
  // next line with the same key in the same table.
  mutable bool indexed_ = false;
  mutable std::vector<std::uint32_t> slots_;
  mutable std::vector<std::uint32_t> next_;
};

}  // namespace mojihyo
