#include "formats/hexposure_table.h"

#include "core/hex_notation.h"
#include "formats/line_rules.h"

namespace mojihyo {

namespace {

using namespace line_rules;

// Applies one line (leading spaces already dropped) and says where it went.
LineSlot ReadLine(std::string_view line, FontTable& t) {
  if (line.empty()) return {SlotKind::Blank};
  if (line.starts_with("*=")) {
    t.LineBreakValue1 = MarkedValue(line, 3);
    return {SlotKind::LineBreak1};
  } else if (line.starts_with("/=")) {
    t.StringBreakValue1 = MarkedValue(line, 3);
    return {SlotKind::StringBreak1};
  } else if (line.starts_with("\\=")) {
    t.SectionBreakValue = MarkedValue(line, 3);
    return {SlotKind::SectionBreak};
  } else if (CharAt(line, 3) == '=' || CharAt(line, 3) == ' ') {
    const int number = EntryNumber(line, 1);
    SetEntryText(t, number, line.substr(3), line.substr(0, 2));
    return {SlotKind::Entry, number};
  }
  return {SlotKind::NotUnderstood};
}

}  // namespace

std::size_t ReadHexposureTable(std::span<const std::string_view> lines, FontTable& table,
                               LineSlotSink* sink) {
  std::size_t notUnderstood = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = StripLineStart(lines[i]);
    const LineSlot slot = ReadLine(line, table);
    notUnderstood += slot.kind == SlotKind::NotUnderstood;
    if (sink) sink->Take(i, line, slot);
  }
  return notUnderstood;
}

namespace {

template <typename Out>
void Write(const FontTable& t, Out& out) {
  ReserveForWriting(t, out);
  WriteMarkedValue("*=", t.LineBreakValue1, out);
  WriteMarkedValue("/=", t.StringBreakValue1, out);
  WriteMarkedValue("\\=", t.SectionBreakValue, out);
  WriteEntryLines(t, out);
}

}  // namespace

LineList WriteHexposureTable(const FontTable& t) {
  LineList out;
  Write(t, out);
  return out;
}

void WriteHexposureTable(const FontTable& t, LineSink& out) { Write(t, out); }

}  // namespace mojihyo
