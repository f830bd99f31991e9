// The check of the table an editor holds: lines of the file a save writes,
// and where each finding's entry is shown.

#include "tools/font_table_check.h"

#include <gtest/gtest.h>

#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "tfs/tfs_table.h"

namespace mojihyo {
namespace {

using Place = std::optional<EntryPlace>;
constexpr auto kCell = EntryKind::OneByte;
constexpr auto kRow = EntryKind::SixteenBit;

struct Seen {
  std::size_t line;
  FindingKind kind;
  Place place;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen> Check(const FontTable& t) {
  CheckOptions options;
  options.compatibility = false;
  const FontTableCheck c = CheckFontTable(t, options);
  EXPECT_EQ(c.findings.size(), c.places.size());
  std::vector<Seen> seen;
  for (std::size_t k = 0; k < c.findings.size(); ++k)
    seen.push_back({c.findings[k].line, c.findings[k].kind, c.places[k]});
  return seen;
}

TEST(FontTableCheck, AnOlderTableIsCheckedAsItsSaveWritesIt) {
  FontTable t;
  SetEntryText(t, 0x41, "A");
  SetEntryText(t, 0x42, "B");
  t.SixteenBitEntries.push_back("8140=A");
  t.SixteenBitEntries.push_back("8141=AB");
  t.SixteenBitEntries.push_back("8141=C");
  // MoJiHyo until a format is chosen: 16-bit entries, then entries.
  EXPECT_EQ(Check(t), (std::vector<Seen>{
                          {0, FindingKind::NoEndToken, std::nullopt},
                          {2, FindingKind::RoundTrip, EntryPlace{kRow, 1}},
                          {2, FindingKind::SameTextRuns, EntryPlace{kRow, 1}},
                          {3, FindingKind::DuplicateKey, EntryPlace{kRow, 2}},
                          {4, FindingKind::SameText, EntryPlace{kCell, 0x41}},
                      }));
  // A Hexposure file holds no 16-bit entries, and its break value first.
  t.SaveFormat = TableFormat::Hexposure;
  t.StringBreakValue1 = "FFh";
  EXPECT_TRUE(Check(t).empty());
}

TEST(FontTableCheck, ATfsTableIsCheckedAsItsDocumentWithTheFieldsApplied) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs,
                 "@one\n/FF=[END]\n8141=X\n8140=Y\n41=A\n!80=[two],0\n@two\n42=B\n42=C\n", t);
  // The fields show table "one": a new entry, and the 16-bit list put in
  // another order with one entry emptied.
  SetEntryText(t, 0x43, "A");
  t.SixteenBitEntries.set(0, "8140=");
  t.SixteenBitEntries.set(1, "8141=X");
  // The file now: 8141=X, 8140=, 41=A and !80 on lines 3 to 6, then 43=A.
  EXPECT_EQ(Check(t), (std::vector<Seen>{
                          {4, FindingKind::EmptyText, EntryPlace{kRow, 0}},
                          {7, FindingKind::SameText, EntryPlace{kCell, 0x43}},
                          // Table "two": its cell, once that table is shown.
                          {10, FindingKind::DuplicateKey, EntryPlace{kCell, 0x42}},
                      }));
}

TEST(FontTableCheck, AFindingAfterAnEmptiedUnnamedTableNamesItsOwnTable) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, "# top\n41=A\n@b\n42=B\n42=C\n@c\n43=D\n43=E\n", t);
  // Emptying the unnamed table ends it in the file: "b" is the file's
  // first table then, and the second of the tables the editor lists.
  SetEntryText(t, 0x41, "");
  CheckOptions options;
  options.compatibility = false;
  const FontTableCheck c = CheckFontTable(t, options);
  std::vector<std::pair<std::size_t, std::size_t>> duplicates;  // line, table
  for (std::size_t k = 0; k < c.findings.size(); ++k)
    if (c.findings[k].kind == FindingKind::DuplicateKey)
      duplicates.emplace_back(c.findings[k].line, c.tables[k]);
  EXPECT_EQ(duplicates, (std::vector<std::pair<std::size_t, std::size_t>>{{4, 1}, {7, 2}}));
}

}  // namespace
}  // namespace mojihyo
