#include "tfs/tfs_document.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace mojihyo {
namespace {

// Modern tables of every line kind, with mixed line ends, byte order marks,
// missing final ends, several logical tables, duplicates and garbage.
class ModernTableGenerator {
 public:
  explicit ModernTableGenerator(unsigned seed) : rng_(seed) {}

  std::string Table() {
    std::string file = Below(4) == 0 ? "\xEF\xBB\xBF" : "";
    const std::size_t lines = Below(40);
    for (std::size_t i = 0; i < lines; ++i) {
      file += Line();
      if (i + 1 < lines || Below(3) != 0) file += kEnds[Below(3)];
    }
    return file;
  }

  std::string RandomBytes() {
    std::string s(Below(200), '\0');
    for (char& c : s) c = Below(4) == 0 ? "\r\n=@/"[Below(5)] : static_cast<char>(Below(256));
    return s;
  }

 private:
  static constexpr const char* kEnds[] = {"\n", "\r\n", "\r"};

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  std::string Key() {
    if (Below(8) == 0) {
      std::string bits = "%";
      for (std::size_t n = 1 + Below(16); n > 0; --n) bits += "01"[Below(2)];
      return bits;
    }
    std::string key;
    for (std::size_t n = 1 + Below(7); n > 0; --n) key += "0123456789abcdefABCDEF"[Below(22)];
    return key;
  }
  std::string Text() {
    std::string s(Below(10), '\0');
    for (char& c : s) {
      do c = static_cast<char>(Below(256));
      while (c == '\r' || c == '\n');
    }
    return s;
  }
  std::string Line() {
    switch (Below(12)) {
      case 0:
        return "";
      case 1:
        return "# " + Text();
      case 2:
        return "@" + Text();
      case 3:
        return "/" + Key() + (Below(2) ? "=[END]" : "");
      case 4:
        return "*" + Key() + (Below(2) ? "=<nl>" : "");
      case 5:
        return "$" + Key() + "=[Color],%D,%X";
      case 6:
        return "!" + Key() + "=[Kanji],-1";
      case 7:
        return Text();
      case 8:
        return "41=" + Text();  // duplicates
      default:
        return std::string(Below(3), ' ') + Key() + "=" + Text();
    }
  }

  std::mt19937 rng_;
};

TEST(TfsDocument, WritesBackEveryFileByteForByte) {
  ModernTableGenerator gen(1215);
  for (int i = 0; i < 3000; ++i) {
    const std::string file = i % 3 == 0 ? gen.RandomBytes() : gen.Table();
    const TfsDocument doc(file);
    ASSERT_EQ(doc.Serialize(), file);
    ASSERT_EQ(doc.SerializedSize(), file.size());
  }
}

TEST(TfsDocument, KeepsEachLineEndAndTheByteOrderMark) {
  const TfsDocument doc(
      std::string("\xEF\xBB\xBF"
                  "a\r\nb\rc\n\nd"));
  EXPECT_TRUE(doc.hasBom());
  ASSERT_EQ(doc.lineCount(), 5u);
  EXPECT_EQ(doc.line(0), "a");
  const LineEnd ends[] = {LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf, LineEnd::Lf, LineEnd::None};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(doc.lineEnd(i), ends[i]) << i;
  EXPECT_EQ(TfsDocument("").lineCount(), 0u);
}

struct TableCase {
  std::string_view file;
  std::vector<std::string_view> ids;  // "-" for the unnamed table
  std::vector<std::size_t> firsts;
};

TEST(TfsDocument, DividesTheFileIntoLogicalTables) {
  const TableCase cases[] = {
      {"41=A\n42=B\n", {"-"}, {0}},
      {"# only comments\n", {"-"}, {0}},
      {"# header\n\n@main\n41=A\n@kana\n41=B\n", {"main", "kana"}, {0, 4}},
      {"41=A\n@one\n42=B\n@two\n", {"-", "one", "two"}, {0, 1, 3}},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(std::string(c.file));
    const TfsDocument doc{std::string(c.file)};
    ASSERT_EQ(doc.tables().size(), c.ids.size());
    for (std::size_t t = 0; t < c.ids.size(); ++t) {
      EXPECT_EQ(doc.tables()[t].named ? doc.tableId(t) : "-", c.ids[t]);
      EXPECT_EQ(doc.tables()[t].first, c.firsts[t]);
      EXPECT_EQ(doc.tables()[t].end, t + 1 < c.ids.size() ? c.firsts[t + 1] : doc.lineCount());
      for (std::size_t i = doc.tables()[t].first; i < doc.tables()[t].end; ++i)
        EXPECT_EQ(doc.tableOf(i), t);
    }
  }
}

TEST(TfsDocument, FindsTheFirstLineOfAKeyInItsTable) {
  const TfsDocument doc(std::string("@a\n41=A\n/ff=[END]\n4a=x\nFF=y\n4A=z\n@b\n41=B\n"));
  EXPECT_EQ(doc.FindKey(0, DecodeTfsKey("41")), 1u);
  EXPECT_EQ(doc.FindKey(1, DecodeTfsKey("41")), 7u);  // not a duplicate of line 1
  EXPECT_EQ(doc.NextWithSameKey(1), std::nullopt);
  EXPECT_EQ(doc.FindKey(0, DecodeTfsKey("4A")), 3u);
  EXPECT_EQ(doc.NextWithSameKey(3), 5u);
  // "/ff" and "FF" share their key; the kinds tell them apart.
  EXPECT_EQ(doc.FindKey(0, DecodeTfsKey("FF")), 2u);
  EXPECT_EQ(doc.NextWithSameKey(2), 4u);
  EXPECT_EQ(doc.kind(2), TfsLineKind::EndToken);
  EXPECT_EQ(doc.FindKey(0, DecodeTfsKey("42")), std::nullopt);
  EXPECT_EQ(doc.FindKey(0, DecodeTfsKey("%01000001")), 1u);
}

TEST(TfsDocument, EditsKeepTheOtherLinesAndTheLineEnds) {
  TfsDocument doc(std::string("@a\r\n41=A\r\n# note\r\n@b\r\n42=B\r\n@c\r\n43=C"));
  doc.SetText(1, "X");
  doc.SetKeySpelling(4, "4f");
  EXPECT_EQ(doc.Serialize(), "@a\r\n41=X\r\n# note\r\n@b\r\n4f=B\r\n@c\r\n43=C");
  // A new entry goes after the last entry of its table, before what heads
  // the next one, with the line end most lines have.
  EXPECT_EQ(doc.AppendToTable(0, "44=D"), 2u);
  EXPECT_EQ(doc.Serialize(), "@a\r\n41=X\r\n44=D\r\n# note\r\n@b\r\n4f=B\r\n@c\r\n43=C");
  // After a last line without an end: that line gets one, the new one none.
  doc.AppendToTable(2, "45=E");
  EXPECT_EQ(doc.Serialize(), "@a\r\n41=X\r\n44=D\r\n# note\r\n@b\r\n4f=B\r\n@c\r\n43=C\r\n45=E");
  // Removing the last line leaves the file still without a final end.
  doc.RemoveLine(doc.lineCount() - 1);
  EXPECT_EQ(doc.Serialize(), "@a\r\n41=X\r\n44=D\r\n# note\r\n@b\r\n4f=B\r\n@c\r\n43=C");
  // A table without entries takes new ones after its "@" line.
  TfsDocument empty(std::string("@a\n# nothing yet\n"));
  empty.AppendToTable(0, "41=A");
  EXPECT_EQ(empty.Serialize(), "@a\n41=A\n# nothing yet\n");
  // A new file is written with LF.
  TfsDocument fresh;
  fresh.AppendToTable(0, "41=A");
  fresh.AppendToTable(0, "/00");
  EXPECT_EQ(fresh.Serialize(), "41=A\n/00\n");
}

TEST(TfsDocument, ACopyOutlivesItsOriginal) {
  auto original = std::make_unique<TfsDocument>(std::string("@main\n41=A\n@kana\n41=B\n"));
  const TfsDocument copy = *original;
  original.reset();
  EXPECT_EQ(copy.tableId(1), "kana");
  EXPECT_EQ(copy.text(3), "B");
}

TEST(TfsDocument, EqualityIsTheFileContent) {
  TfsDocument a(std::string("41=A\n42=B\n")), b(std::string("41=X\n42=B\n"));
  EXPECT_NE(a, b);
  b.SetText(0, "A");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, TfsDocument(std::string("41=A\r\n42=B\n")));
}

}  // namespace
}  // namespace mojihyo
