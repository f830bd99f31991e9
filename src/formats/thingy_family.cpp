// The Thingy format and the program's own MoJiHyo format share their line
// kinds; MoJiHyo adds "=" after the break markers, a Section Break line and
// lock lines. One reader and one writer serve both.

#include "formats/mojihyo_table.h"

#include "core/hex_notation.h"
#include "entries16/entry_line.h"
#include "formats/line_rules.h"
#include "formats/thingy_table.h"

namespace mojihyo {

namespace {

using namespace line_rules;

enum class Dialect { Thingy, MoJiHyo };

// The first break line fills the first value; every later one the second.
LineSlot StoreBreakValue(std::string& first, std::string& second, std::string value,
                         SlotKind firstSlot, SlotKind secondSlot) {
  const bool isFirst = first.empty();
  (isFirst ? first : second) = std::move(value);
  return {isFirst ? firstSlot : secondSlot};
}

// Applies one line (leading spaces already dropped) and says where it went.
LineSlot ReadLine(std::string_view line, FontTable& t, Dialect dialect) {
  if (line.empty()) return {SlotKind::Blank};
  const char first = line[0];
  const bool own = dialect == Dialect::MoJiHyo;
  // Where a break value starts: after "*" in Thingy files, after "*=" in ours.
  const std::size_t breakValueAt = own ? 3 : 2;
  const bool breakMarked = !own || CharAt(line, 2) == '=';

  if (first == '*' && breakMarked) {
    return StoreBreakValue(t.LineBreakValue1, t.LineBreakValue2, MarkedValue(line, breakValueAt),
                           SlotKind::LineBreak1, SlotKind::LineBreak2);
  } else if (first == '/' && breakMarked) {
    return StoreBreakValue(t.StringBreakValue1, t.StringBreakValue2,
                           MarkedValue(line, breakValueAt), SlotKind::StringBreak1,
                           SlotKind::StringBreak2);
  } else if (own && first == '\\' && CharAt(line, 2) == '=') {
    t.SectionBreakValue = MarkedValue(line, 3);
    return {SlotKind::SectionBreak};
  } else if (first == '!') {
    t.DakutenValue = MarkedValue(line, 2);
    return {SlotKind::Dakuten};
  } else if (first == '@') {
    t.HandakutenValue = MarkedValue(line, 2);
    return {SlotKind::Handakuten};
  } else if (first == '>') {
    t.ReverseOrder = true;
    return {SlotKind::ReverseOrder};
  } else if (first == '#') {
    t.OmitSymbols = true;
    return {SlotKind::OmitSymbols};
  } else if (CharAt(line, 3) == '=') {
    const int number = EntryNumber(line, 1);
    SetEntryText(t, number, line.substr(3), line.substr(0, 2));
    return {SlotKind::Entry, number};
  } else if (CharAt(line, 5) == '=') {
    t.SixteenBitEntries.push_back(line);
    return {SlotKind::SixteenBitEntry};
  } else if (first == '(' && line.find(')') != std::string_view::npos) {
    AppendKeptLine(t.BookmarkLines, line);
    return {SlotKind::KeptLine};
  } else if (first == '[' && line.find(']') != std::string_view::npos) {
    AppendKeptLine(t.ScriptDumpLines, line);
    return {SlotKind::KeptLine};
  } else if (first == '$') {
    AppendKeptLine(t.DollarLines, line);
    return {SlotKind::KeptLine};
  } else if (own && first == '|') {
    const int number = EntryNumber(line, 2);
    SetEntryLocked(t, number, true);
    return {SlotKind::Lock, number};
  }
  return {SlotKind::NotUnderstood};
}

std::size_t Read(std::span<const std::string_view> lines, FontTable& table, Dialect dialect,
                 LineSlotSink* sink) {
  std::size_t notUnderstood = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = StripLineStart(lines[i]);
    const LineSlot slot = ReadLine(line, table, dialect);
    notUnderstood += slot.kind == SlotKind::NotUnderstood;
    if (sink) sink->Take(i, line, slot);
  }
  return notUnderstood;
}

// Kept lines go back out each after one empty line, as Thingy spaces them.
template <typename Out>
void WriteSpacedKeptLines(const std::vector<std::string>& kept, Out& out) {
  if (!HasKeptLines(kept)) return;
  for (const auto& line : kept) {
    out.push_back("");
    out.push_back(line);
  }
}

template <typename Out>
void Write(const FontTable& t, Dialect dialect, Out& out) {
  const bool own = dialect == Dialect::MoJiHyo;
  const std::string_view lineBreak = own ? "*=" : "*";
  const std::string_view stringBreak = own ? "/=" : "/";

  ReserveForWriting(t, out);
  if (t.ReverseOrder) out.push_back(">");
  if (t.OmitSymbols) out.push_back("#");
  if (HasKeptLines(t.DollarLines))
    for (const auto& line : t.DollarLines) out.push_back(line);
  WriteMarkedValue(lineBreak, t.LineBreakValue1, out);
  WriteMarkedValue(lineBreak, t.LineBreakValue2, out);
  WriteMarkedValue(stringBreak, t.StringBreakValue1, out);
  WriteMarkedValue(stringBreak, t.StringBreakValue2, out);
  if (own) WriteMarkedValue("\\=", t.SectionBreakValue, out);
  WriteMarkedValue("!", t.DakutenValue, out);
  WriteMarkedValue("@", t.HandakutenValue, out);
  if (!t.Tfs) {
    out.append(t.SixteenBitEntries);
  } else {
    // A TFS table's list also shows keys of three bytes and more, which this
    // format cannot hold (the not-saved report counts them).
    for (std::string_view row : t.SixteenBitEntries)
      if (IsSixteenBitRow(row)) out.push_back(row);
  }
  WriteEntryLines(t, out);
  if (own) {
    for (int i = 0; i < kEntryCount; ++i) {
      if (t.EntryLocked[i]) out.push_back_joined({"|", HexByte(i)});
    }
  }
  WriteSpacedKeptLines(t.BookmarkLines, out);
  WriteSpacedKeptLines(t.ScriptDumpLines, out);
}

}  // namespace

std::size_t ReadThingyTable(std::span<const std::string_view> lines, FontTable& table,
                            LineSlotSink* sink) {
  return Read(lines, table, Dialect::Thingy, sink);
}

std::size_t ReadMoJiHyoTable(std::span<const std::string_view> lines, FontTable& table,
                             LineSlotSink* sink) {
  return Read(lines, table, Dialect::MoJiHyo, sink);
}

LineList WriteThingyTable(const FontTable& table) {
  LineList out;
  Write(table, Dialect::Thingy, out);
  return out;
}

void WriteThingyTable(const FontTable& table, LineSink& out) { Write(table, Dialect::Thingy, out); }

LineList WriteMoJiHyoTable(const FontTable& table) {
  LineList out;
  Write(table, Dialect::MoJiHyo, out);
  return out;
}

void WriteMoJiHyoTable(const FontTable& table, LineSink& out) {
  Write(table, Dialect::MoJiHyo, out);
}

}  // namespace mojihyo
