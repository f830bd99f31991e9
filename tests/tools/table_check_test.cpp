// Each check with a small table that shows it, and one that nearly does
// but must not.

#include "tools/table_check.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mojihyo {
namespace {

using namespace std::literals;
using K = FindingKind;
using F = TableFormat;
using Found = std::vector<std::pair<std::size_t, FindingKind>>;

Found Findings(F format, std::string_view file, bool compat = false) {
  CheckOptions options;
  options.compatibility = compat;
  Found found;
  for (const Finding& f : CheckTableFile(format, file, options)) found.emplace_back(f.line, f.kind);
  return found;
}

std::vector<std::string> Messages(F format, std::string_view file, FindingKind kind) {
  CheckOptions options;
  options.compatibility = kind == K::Compatibility;
  std::vector<std::string> out;
  for (const Finding& f : CheckTableFile(format, file, options))
    if (f.kind == kind) out.push_back(f.message);
  return out;
}

struct Case {
  const char* what;
  F format;
  std::string_view file;
  Found expected;
};

// Every TFS case has an end token, so that only the finding under test shows.
const Case kCases[] = {
    {"duplicate key, case and kind aside", F::Tfs, "/FF=[END]\n41=A\n42=B\n41=C\nff=D\n",
     {{4, K::DuplicateKey}, {5, K::DuplicateKey}}},
    {"binary key of whole bytes", F::Tfs, "/FF=[END]\n41=A\n%01000001=B\n", {{3, K::DuplicateKey}}},
    {"same key in two logical tables", F::Tfs,
     "@a\n/FF=[END]\n41=A\n!80=[b],0\n@b\n41=B\n", {}},
    {"a key of four bits is not the byte", F::Tfs, "/FF=[END]\n%1111=A\n0F=B\n", {}},
    {"line no reader takes", F::Tfs, "/FF=[END]\n41=A\nhello\n", {{3, K::Unreadable}}},
    {"comments of three kinds", F::Tfs, "/FF=[END]\n# a\n; b\n// c\n", {}},
    {"blank key", F::Tfs, "/FF=[END]\n=x\n/=y\n", {{2, K::BlankKey}, {3, K::BlankKey}}},
    {"an equals sign as text", F::Tfs, "/FF=[END]\n3D==\n", {}},
    {"switch to a table no file has", F::Tfs, "@main\n/FF=[END]\n!80=[kanji],0\n",
     {{3, K::UnknownTable}}},
    {"switch to a table of the file", F::Tfs,
     "@main\n/FF=[END]\n!80=[kanji],0\n!81=,<@kanji>:1\n@kanji\n8000=x\n", {}},
    {"switch that names no table", F::Tfs, "/FF=[END]\n!10=<[10 JMP]>,1\n", {{2, K::Unreadable}}},
    {"label twice", F::Tfs, "/FF=[END]\n/FE=[END]\\n\n$80=[Color],%X\n$81=[Color],%D\n",
     {{2, K::DuplicateLabel}, {4, K::DuplicateLabel}}},
    {"label once in each table", F::Tfs, "@a\n/FF=[END]\n@b\n/FF=[END]\n", {}},
    {"odd key", F::Tfs, "/FF=[END]\n123=x\n", {{2, K::OddKey}}},
    {"even and binary keys", F::Tfs, "/FF=[END]\n0123=x\n%101=y\n", {}},
    {"empty text", F::Tfs, "/FF=[END]\n41=\n", {{2, K::EmptyText}}},
    {"a space as text", F::Tfs, "/FF=[END]\n41= \n", {}},
    {"no end token", F::Tfs, "41=A\n", {{0, K::NoEndToken}}},
    {"no end token in a named table", F::Tfs, "# t\n@main\n41=A\n", {{2, K::NoEndToken}}},
    {"a table only switched to needs none", F::Tfs, "@a\n/FF=[END]\n!80=[b],-1\n@b\n41=A\n", {}},
    {"one text for two keys", F::Tfs, "/FF=[END]\n41=A\n42=A\n", {{3, K::SameText}}},
    {"one text in two tables", F::Tfs, "@a\n/FF=[END]\n41=A\n!80=[b],0\n@b\n42=A\n", {}},
    {"dump and insert disagree", F::Tfs, "/FF=[END]\n41=A\n42=B\n80=AB\n",
     {{4, K::RoundTrip}, {4, K::SameTextRuns}}},
    {"the longer key is the dump", F::Tfs, "/FF=[END]\n41=A\n42=B\n4142=AB\n", {}},
    {"not valid UTF-8 in a UTF-8 table", F::Tfs,
     "/FF=[END]\n41=\xC3\xA9\n42=\xC3\xBC\n43=\xC3(\n", {{4, K::InvalidText}}},
    {"a byte order mark makes it UTF-8", F::Tfs, "\xEF\xBB\xBF/FF=[END]\n41=\x82\xA0\n",
     {{2, K::InvalidText}}},
    {"Shift-JIS is left alone", F::Tfs, "/FF=[END]\n41=\x82\xA0\n42=\x82\xA2\n43=\xC3\xA9\n", {}},
    // UTF-16 is read as UTF-8, as the readers read it.
    {"UTF-16", F::Tfs, "\xFF\xFE" "4\0" "1\0=\0\xE9\0"sv, {{0, K::NoEndToken}}},
    {"UTF-16 without a byte order mark", F::Tfs, "4\0" "1\0=\0A\0"sv, {{0, K::NoEndToken}}},
    {"UTF-16 that does not decode", F::Tfs, "\xFF\xFE" "4\0" "1\0="sv, {{0, K::NotATable}}},
    {"a NUL as one text", F::Tfs, "/FF=[END]\n00=\0\n41=A\n"sv, {}},

    {"Thingy: later line wins", F::Thingy, "/FF\n41=A\n41=B\n", {{3, K::DuplicateKey}}},
    {"Thingy: a third String Break", F::Thingy, "/FF\n/FE\n/FD\n", {{3, K::DuplicateKey}}},
    {"Thingy: dakuten and handakuten lines", F::Thingy, "/FF\n!DE\n@DF\n>\n", {}},
    {"Thingy: not understood", F::Thingy, "/FF\nhello\n=x\n", {{2, K::Unreadable}, {3, K::BlankKey}}},
    {"Thingy: entry number not hex", F::Thingy, "/FF\nZZ=x\n", {{2, K::Unreadable}}},
    {"Thingy: 16-bit key twice", F::Thingy, "/FF\n8140=a\n8140=b\n", {{3, K::DuplicateKey}}},
    {"Thingy: empty text", F::Thingy, "/FF\n41=\n8140=\n", {{2, K::EmptyText}, {3, K::EmptyText}}},
    {"Thingy: no String Break", F::Thingy, "*0D\n41=A\n", {{0, K::NoEndToken}}},
    {"Thingy: dump and insert", F::Thingy, "/FF\n41=A\n42=B\n8042=AB\n",
     {{4, K::RoundTrip}, {4, K::SameTextRuns}}},
    {"Hexposure: entries with a space", F::Hexposure, "/=FF\n41 A\n42=A\n", {{3, K::SameText}}},
    {"MoJiHyo: a second Section Break", F::MoJiHyo, "/=FF\n\\=FE\n\\=FD\n|41\n|41\n",
     {{3, K::DuplicateKey}}},
};

TEST(TableCheck, EachCheckShowsWhereItShouldAndOnlyThere) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Findings(c.format, c.file), c.expected);
  }
}

TEST(TableCheck, ErrorsAndWarningsAreTold) {
  const std::vector<Finding> f = CheckTableFile(F::Tfs, "41=A\n41=B\n", {});
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].severity, Severity::Warning);  // no end token, line 0 first
  EXPECT_EQ(f[1].severity, Severity::Error);
  EXPECT_EQ(f[1].key, "A");
  EXPECT_EQ(SeverityName(f[1].severity), "error");
}

TEST(TableCheck, MessagesSayWhatAndWhere) {
  struct M {
    std::string_view file;
    FindingKind kind;
    std::vector<std::string> messages;
  };
  const M cases[] = {
      {"/FF=[END]\n41=A\n41=B\n", K::DuplicateKey, {"duplicate key 41: line 2 has it already"}},
      {"/FF\n41=A\n41=B\n", K::DuplicateKey,
       {"duplicate key 41: line 2 has it already; the Thingy reader keeps the last line"}},
      {"/FF\n8140=A\n8140=B\n", K::DuplicateKey, {"duplicate key 8140: line 2 has it already"}},
      {"/FF\n/FE\n/FD\n", K::DuplicateKey,
       {"the second String Break value is set on line 2 already; the Thingy reader keeps the last "
        "line"}},
      {"/FF\n41=\n", K::EmptyText, {"entry 41 has an empty text: the Thingy reader takes it as no entry"}},
      {"/FF=[END]\n41=A\n42=B\n80=AB\n", K::RoundTrip,
       {"the bytes 41 42 dump as \"AB\", which an insertion writes as 80 (lines 2, 3 and 4)"}},
      {"/FF=[END]\n41=a\n42=bx\n43=ab\n", K::RoundTrip,
       {"the bytes 41 42 dump as \"abx\", which an insertion cannot write: after \"ab\" no text "
        "matches \"x\" (lines 2, 3 and 4)"}},
      {"/FF=[END]\n41=A\n42=B\n80=AB\n", K::SameTextRuns,
       {"two runs of entries have the text \"AB\": 80 (line 4) and 41 42 (lines 2 and 3)"}},
      {"/FF=[END]\n41=A\n8000=A\n42=A\n", K::SameText,
       {"the text \"A\" is also on line 2 (key 41): an insertion writes it as 42 (line 4)",
        "the text \"A\" is also on line 2 (key 41): an insertion writes it as 42 (line 4)"}},
      {"/FF=[END]\n123=x\n", K::OddKey,
       {"the key \"123\" has an odd number of hex digits: it is read as 0123"}},
      {"/FF=[END]\n41=\xC3\xA9\n42=\xC3\xBC\n43=a\xC3(\n", K::InvalidText,
       {"the text is not valid UTF-8, the table's encoding: byte 2 of it is C3"}},
      {"@main\n/FF=[END]\n!80=[kanji],0\n", K::UnknownTable,
       {"the table switch names table \"kanji\", which no loaded table has"}},
      {"/FF=[END]\n/FE=[END]\\n\n", K::DuplicateLabel, {"the label \"[END]\" is used on line 1 already in this table"}},
      {"41=A\n", K::NoEndToken, {"the table has no end token"}},
      {"@main\n41=A\n", K::NoEndToken, {"table @main has no end token"}},
  };
  for (const M& m : cases) {
    SCOPED_TRACE(m.file);
    EXPECT_EQ(Messages(m.file.starts_with("/FF\n") ? F::Thingy : F::Tfs, m.file, m.kind), m.messages);
  }
}

TEST(TableCheck, SwitchesMayNameTablesOfOtherFiles) {
  CheckOptions options;
  options.compatibility = false;
  const std::string_view file = "@main\n/FF=[END]\n!80=[kanji],0\n";
  EXPECT_EQ(CheckTableFile(F::Tfs, file, options).size(), 1u);
  const std::string_view kanji = "@kanji\n8000=x\n";
  EXPECT_EQ(Findings(F::Tfs, kanji), (Found{{1, K::NoEndToken}}));
  AddLoadedTables(F::Tfs, file, options);
  AddLoadedTables(F::Tfs, kanji, options);
  EXPECT_EQ(options.loadedTableIds, (std::vector<std::string>{"main", "kanji"}));
  EXPECT_EQ(options.switchedToIds, std::vector<std::string>{"kanji"});
  EXPECT_TRUE(CheckTableFile(F::Tfs, file, options).empty());
  EXPECT_TRUE(CheckTableFile(F::Tfs, kanji, options).empty());
  AddLoadedTables(F::Thingy, "@DF\n!DE\n", options);
  EXPECT_EQ(options.loadedTableIds.size(), 2u);
}

TEST(TableCheck, AReachedBoundIsReportedNeverSilent) {
  // 81=x, 82=xx, ... 8C=xxxxxxxxxxxx: "x" then "x" comes back as "xx",
  // which the tight bounds stop both searches short of.
  std::string file = "/FF=[END]\n";
  for (int n = 1; n <= 12; ++n) file += "8" + std::string(1, "0123456789ABC"[n]) + "=" + std::string(n, 'x') + "\n";
  CheckOptions options;
  options.compatibility = false;
  options.limits.states = 3;
  options.limits.suffixes = 2;
  std::vector<std::string> incomplete;
  for (const Finding& x : CheckTableFile(F::Tfs, file, options))
    if (x.kind == K::Incomplete) incomplete.push_back(x.message);
  EXPECT_EQ(incomplete, (std::vector<std::string>{
                            "check incomplete: the dump-and-insert search stopped at its bound after 3 states",
                            "check incomplete: the unique-decoding test stopped at its bound after 2 dangling suffixes"}));
  // Unbounded, the same table shows its ambiguity instead.
  Found kinds;
  for (const auto& [line, kind] : Findings(F::Tfs, file)) kinds.emplace_back(0, kind);
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(kinds, (Found{{0, K::RoundTrip}, {0, K::SameTextRuns}}));
}

TEST(TableCheck, CompatibilityNamesTheToolAndTheReason) {
  struct C {
    std::string_view file;  // NUL bytes and all
    std::vector<std::pair<std::size_t, std::string>> expected;
  };
  const C cases[] = {
      {"/FF=[END]\n41=A\n", {}},
      {"/FF=[END]\n; note\n# note\n",
       {{2, "abcde stops on this line: only \"#\" starts a comment; Cartographer rejects it: a line "
            "must start with a hex digit, \"/\" or \"$\""},
        {3, "Cartographer rejects it: a line must start with a hex digit, \"/\" or \"$\""}}},
      {"/FF=[END]\n41=<b>\n42=\n",
       {{2, "abcde stops on this line: \"<\" and \">\" are not allowed in a text"},
        {3, "Cartographer ignores an entry with an empty text"}}},
      {"/FF\n*FE\n",
       {{1, "abcde stops on this line: it has no \"=\""},
        {2, "abcde stops on this line: it has no \"=\"; Cartographer rejects it: a line must start "
            "with a hex digit, \"/\" or \"$\""}}},
      {"/FF=[END]\n$80=[Color],%X\n", {{2, "Atlas skips \"$\" lines"}}},
      {"@a\n/FF=[END]\n!80=[b],0\n@b\n@a\n",
       {{1, "Atlas reads an \"@\" line as a handakuten value, not a table id; Cartographer rejects "
            "it: a line must start with a hex digit, \"/\" or \"$\""},
        {3, "Atlas reads a \"!\" line as a dakuten value, not a table switch; Cartographer rejects "
            "it: a line must start with a hex digit, \"/\" or \"$\""},
        {4, "Atlas reads an \"@\" line as a handakuten value, not a table id; abcde reads a second "
            "table from one file only with --multi-table-files; Cartographer rejects it: a line "
            "must start with a hex digit, \"/\" or \"$\""},
        {5, "Atlas reads an \"@\" line as a handakuten value, not a table id; abcde stops on this "
            "line: table id \"a\" is used on line 1 already; Cartographer rejects it: a line must "
            "start with a hex digit, \"/\" or \"$\""}}},
      {"/FF=[END]\n41=\x82\xA0\n42=\x82\xA2\n",
       {{2, "abcde stops on this line: it reads tables as UTF-8, and this line is not"}}},
      {"\xFF\xFE/\0F\0F\0\n\0"sv,
       {{0, "abcde stops on this file: it reads tables as UTF-8, and this one is UTF-16LE with "
            "byte-order mark"},
        {1, "abcde stops on this line: it has no \"=\""}}},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.file);
    CheckOptions options;
    std::vector<std::pair<std::size_t, std::string>> found;
    for (const Finding& f : CheckTableFile(F::Tfs, c.file, options))
      if (f.kind == K::Compatibility) found.emplace_back(f.line, f.message);
    EXPECT_EQ(found, c.expected);
    options.compatibility = false;
    for (const Finding& f : CheckTableFile(F::Tfs, c.file, options)) EXPECT_NE(f.kind, K::Compatibility);
  }
  // The older formats are not what those tools read.
  EXPECT_EQ(Messages(F::Thingy, ";x\n/FF\n41=<b>\n", K::Compatibility), std::vector<std::string>{});
}

}  // namespace
}  // namespace mojihyo
