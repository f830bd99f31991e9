#include "series/insert_series.h"
#include "series/series_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace mojihyo {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// "A4A2 A4A4" -> {"\xA4\xA2", "\xA4\xA4"}
std::vector<std::string> Codes(const std::string& hex) {
  std::vector<std::string> cells;
  for (const std::string& code : Words(hex)) {
    std::string cell;
    for (std::size_t i = 0; i < code.size(); i += 2)
      cell.push_back(static_cast<char>(std::stoi(code.substr(i, 2), nullptr, 16)));
    cells.push_back(cell);
  }
  return cells;
}

const char* kBasicHiraganaCodes =
    "A4A2 A4A4 A4A6 A4A8 A4AA A4AB A4AD A4AF A4B1 A4B3 A4B5 A4B7 A4B9 A4BB A4BD A4BF A4C1 A4C4 "
    "A4C6 A4C8 A4CA A4CB A4CC A4CD A4CE A4CF A4D2 A4D5 A4D8 A4DB A4DE A4DF A4E0 A4E1 A4E2 A4E4 "
    "A4E6 A4E8 A4E9 A4EA A4EB A4EC A4ED A4EF A4F2 A4F3";
const char* kBasicKatakanaCodes =
    "A5A2 A5A4 A5A6 A5A8 A5AA A5AB A5AD A5AF A5B1 A5B3 A5B5 A5B7 A5B9 A5BB A5BD A5BF A5C1 A5C4 "
    "A5C6 A5C8 A5CA A5CB A5CC A5CD A5CE A5CF A5D2 A5D5 A5D8 A5DB A5DE A5DF A5E0 A5E1 A5E2 A5E4 "
    "A5E6 A5E8 A5E9 A5EA A5EB A5EC A5ED A5EF A5F2 A5F3";
const char* kModifiedHiraganaCodes =
    "A4AC A4AE A4B0 A4B2 A4B4 A4B6 A4B8 A4BA A4BC A4BE A4C0 A4C2 A4C5 A4C7 A4C9 A4D0 A4D3 A4D6 "
    "A4D9 A4DC A4D1 A4D4 A4D7 A4DA A4DD";
const char* kModifiedKatakanaCodes =
    "A5AC A5AE A5B0 A5B2 A5B4 A5B6 A5B8 A5BA A5BC A5BE A5C0 A5C2 A5C5 A5C7 A5C9 A5D0 A5D3 A5D6 "
    "A5D9 A5DC A5D1 A5D4 A5D7 A5DA A5DD";

// What each command writes from cell 00h, written out by hand.
const std::map<std::string, std::vector<std::string>>& Expected() {
  static const std::map<std::string, std::vector<std::string>> expected = {
      {"InsertNumbers", Words("0 1 2 3 4 5 6 7 8 9")},
      {"InsertCapital", Words("A B C D E F G H I J K L M N O P Q R S T U V W X Y Z")},
      {"InsertLowercase", Words("a b c d e f g h i j k l m n o p q r s t u v w x y z")},
      {"InsertBasicRomaji",
       Words("a i u e o ka ki ku ke ko sa shi su se so ta chi tsu te to na ni nu ne no ha hi fu "
             "he ho ma mi mu me mo ya yu yo ra ri ru re ro wa wo n")},
      {"InsertBasicRomajiCaps",
       Words("A I U E O KA KI KU KE KO SA SHI SU SE SO TA CHI TSU TE TO NA NI NU NE NO HA HI FU "
             "HE HO MA MI MU ME MO YA YU YO RA RI RU RE RO WA WO N")},
      {"InsertModifiedRomaji",
       Words("ga gi gu ge go za ji zu ze zo da dji du de do ba bi bu be bo pa pi pu pe po")},
      {"InsertModifiedRomajiCaps",
       Words("GA GI GU GE GO ZA JI ZU ZE ZO DA DJI DU DE DO BA BI BU BE BO PA PI PU PE PO")},
      {"InsertChisaiRomaji", Words("xa xi xu xe xo tt xya xyu xyo xwa xka xke")},
      {"InsertChisaiRomajiCaps", Words("XA XI XU XE XO TT XYA XYU XYO XWA XKA XKE")},
      {"InsertUglyBasicRomaji",
       Words("a' i' u' e' o' ka ki ku ke ko sa si su se so ta ti tu te to na ni nu ne no ha hi "
             "fu he ho ma mi mu me mo ya yu yo ra ri ru re ro wa wo n'")},
      {"InsertUglyBasicRomajiCaps",
       Words("A' I' U' E' O' KA KI KU KE KO SA SI SU SE SO TA TI TU TE TO NA NI NU NE NO HA HI "
             "FU HE HO MA MI MU ME MO YA YU YO RA RI RU RE RO WA WO N'")},
      {"InsertUglyModifiedRomaji",
       Words("ga gi gu ge go za ji zu ze zo da dj du de do ba bi bu be bo pa pi pu pe po")},
      {"InsertUglyModifiedRomajiCaps",
       Words("GA GI GU GE GO ZA JI ZU ZE ZO DA DJ DU DE DO BA BI BU BE BO PA PI PU PE PO")},
      {"InsertBasicHiraganaEUC", Codes(kBasicHiraganaCodes)},
      {"InsertModifiedHiraganaEUC", Codes(kModifiedHiraganaCodes)},
      {"InsertChisaiHiraganaEUC",
       Codes("A4A1 A4A3 A4A5 A4A7 A4A9 A4C3 A4E3 A4E5 A4E7 A4EE A5F5 A5F6")},
      {"InsertBasicKatakanaEUC", Codes(kBasicKatakanaCodes)},
      {"InsertModifiedKatakanaEUC", Codes(kModifiedKatakanaCodes)},
      {"InsertChisaiKatakanaEUC",
       Codes("A5A1 A5A3 A5A5 A5A7 A5A9 A5C3 A5E3 A5E5 A5E7 A5EE A5F5 A5F6")},
      {"InsertCompleteModifiedKanaEUC",
       Codes("A4AC A4AE A4B0 A4B2 A4B4 A4B6 A4B8 A4BA A4BC A4BE A4C0 A4C2 A4C5 A4C7 A4C9 A4D0 "
             "A4D3 A4D6 A4D9 A4DC A5AC A5AE A5B0 A5B2 A5B4 A5B6 A5B8 A5BA A5BC A5BE A5C0 A5C2 "
             "A5C5 A5C7 A5C9 A5D0 A5D3 A5D6 A5D9 A5DC A4D1 A4D4 A4D7 A4DA A4DD A5D1 A5D4 A5D7 "
             "A5DA A5DD")},
  };
  return expected;
}

FontTable Inserted(const SeriesCommand& command, int start) {
  FontTable t;
  InsertSeries(t, start, SeriesFor(command, BuildSeriesTables()), command.upperCase);
  return t;
}

const SeriesCommand& Command(std::string_view name) {
  for (const auto& c : SeriesCommands())
    if (c.name == name) return c;
  throw std::runtime_error("no command " + std::string(name));
}

TEST(SeriesCommands, EachWritesExactlyItsCellsFromCellZero) {
  ASSERT_EQ(SeriesCommands().size(), 20u);
  for (const SeriesCommand& command : SeriesCommands()) {
    SCOPED_TRACE(std::string(command.name));
    const auto it = Expected().find(std::string(command.name));
    ASSERT_NE(it, Expected().end());
    const FontTable t = Inserted(command, 0);
    for (std::size_t i = 0; i < it->second.size(); ++i)
      EXPECT_EQ(t.EntryText[static_cast<int>(i)], it->second[i]) << "cell " << i;
    for (int i = static_cast<int>(it->second.size()); i < kEntryCount; ++i)
      EXPECT_EQ(t.EntryText[i], "") << "cell " << i;
  }
}

TEST(PackedSeries, HaveTheirStoredLengths) {
  EXPECT_EQ(PackedSeriesOf(SeriesId::BasicRomaji).text.size(), 139u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::ModifiedRomaji).text.size(), 74u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::ChisaiRomaji).text.size(), 36u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::UglyBasicRomaji).text.size(), 92u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::UglyModifiedRomaji).text.size(), 50u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::CompleteModifiedKana).text.size(), 100u);
  EXPECT_EQ(PackedSeriesOf(SeriesId::BasicRomaji).text.substr(0, 6), "a  i  ");
}

TEST(UnpackSeries, TrimsRomajiButKeepsKanaBytesAndShortTextsGiveShortCells) {
  EXPECT_EQ(UnpackSeries({"a  shin", 3, 3, true}), (SeriesTable{"a", "shi", "n"}));
  EXPECT_EQ(UnpackSeries({"a ", 3, 3, true}), (SeriesTable{"a", "", ""}));
  EXPECT_EQ(UnpackSeries({"\xA4\xA2 x", 2, 2, false}), (SeriesTable{"\xA4\xA2", " x"}));
  EXPECT_EQ(UnpackSeries({"", 2, 2, false}), (SeriesTable{"", ""}));
}

TEST(InsertSeries, StopsAfterCellFF) {
  FontTable t = Inserted(Command("InsertBasicRomaji"), 0xF0);
  EXPECT_EQ(t.EntryText[0xF0], "a");
  EXPECT_EQ(t.EntryText[0xFF], "ta");
  EXPECT_EQ(t.EntryText[0x00], "");
  t = Inserted(Command("InsertNumbers"), 0xFF);
  EXPECT_EQ(t.EntryText[0xFF], "0");
  EXPECT_EQ(t.EntryText[0x00], "");
}

TEST(InsertSeries, SkipsLockedCellsWithoutShifting) {
  FontTable t;
  SetEntryText(t, 0x12, "keep");
  SetEntryLocked(t, 0x12, true);
  InsertSeries(t, 0x10, SeriesFor(Command("InsertNumbers"), {}), false);
  EXPECT_EQ(t.EntryText[0x10], "0");
  EXPECT_EQ(t.EntryText[0x11], "1");
  EXPECT_EQ(t.EntryText[0x12], "keep");
  EXPECT_EQ(t.EntryText[0x13], "3");
  EXPECT_EQ(t.EntryText[0x19], "9");
  for (int i = 0; i < kEntryCount; ++i) EXPECT_NE(t.EntryText[i], "2");
}

TEST(InsertSeries, AnAllLockedRunChangesNothing) {
  FontTable t;
  for (int i = 0; i < 10; ++i) SetEntryLocked(t, 0x20 + i, true);
  InsertSeries(t, 0x20, SeriesFor(Command("InsertNumbers"), {}), false);
  EXPECT_EQ(t, [] {
    FontTable e;
    for (int i = 0; i < 10; ++i) SetEntryLocked(e, 0x20 + i, true);
    return e;
  }());
  EXPECT_FALSE(t.TableChanged);
}

TEST(InsertSeries, KanaStartAndEndWhereTheCatalogueSays) {
  FontTable t = Inserted(Command("InsertChisaiHiraganaEUC"), 0);
  EXPECT_EQ(t.EntryText[0x00], "\xA4\xA1");
  EXPECT_EQ(t.EntryText[0x0B], "\xA5\xF6");
  t = Inserted(Command("InsertCompleteModifiedKanaEUC"), 0xB0);
  EXPECT_EQ(t.EntryText[0xB0], "\xA4\xAC");
  EXPECT_EQ(t.EntryText[0xE1], "\xA5\xDD");
  EXPECT_EQ(t.EntryText[0xE2], "");
  const FontTable hira = Inserted(Command("InsertBasicHiraganaEUC"), 0);
  const FontTable kata = Inserted(Command("InsertBasicKatakanaEUC"), 0);
  for (int i = 0; i < 46; ++i) {
    EXPECT_EQ(hira.EntryText[i][0], '\xA4');
    EXPECT_EQ(kata.EntryText[i][0], '\xA5');
    EXPECT_EQ(hira.EntryText[i][1], kata.EntryText[i][1]);
  }
}

TEST(ParseRepetitions, ReadsCountsAsTheValueBoxesDo) {
  const std::pair<const char*, int> cases[] = {
      {"10", 10}, {"10H", 10}, {"Ah", 10}, {"A", 0},   {"2.5", 2},  {"3.5", 4},  {"", 0},
      {"FFh", 255}, {"h", 0},  {"12", 12}, {"1e2", 100}, {"9e9", 32767}, {"1e5", 32767},
      {"32767", 32767}, {"99999999999999999999999", 32767}, {"..", 0}};
  for (const auto& [text, count] : cases) EXPECT_EQ(ParseRepetitions(text), count) << text;
}

TEST(InsertRepeated, WritesARunFromTheStartCellLockedCellsToo) {
  FontTable t;
  SetEntryLocked(t, 0x11, true);
  InsertRepeated(t, 0x10, 3, "ka");
  EXPECT_EQ(t.EntryText[0x10], "ka");
  EXPECT_EQ(t.EntryText[0x11], "ka");
  EXPECT_EQ(t.EntryText[0x12], "ka");
  EXPECT_EQ(t.EntryText[0x13], "");
  EXPECT_TRUE(t.TableChanged);

  InsertRepeated(t, 0x10, 5, "");
  for (int i = 0x10; i < 0x15; ++i) EXPECT_EQ(t.EntryText[i], "");
}

TEST(InsertRepeated, EndsAtFFAndNeverWraps) {
  FontTable t;
  InsertRepeated(t, 0xF8, ParseRepetitions("10h"), "x");
  for (int i = 0xF8; i <= 0xFF; ++i) EXPECT_EQ(t.EntryText[i], "x");
  EXPECT_EQ(t.EntryText[0x00], "");
  EXPECT_EQ(t.EntryText[0xF7], "");

  FontTable big;
  InsertRepeated(big, 0x01, ParseRepetitions("9e9"), "y");
  for (int i = 1; i <= 0xFF; ++i) EXPECT_EQ(big.EntryText[i], "y");
  EXPECT_EQ(big.EntryText[0], "");

  FontTable none;
  InsertRepeated(none, 0x10, 0, "z");
  InsertRepeated(none, 0x10, -4, "z");
  EXPECT_EQ(none, FontTable());
}

}  // namespace
}  // namespace mojihyo
