#include "formats/hexposure_table.h"

#include "core/hex_notation.h"
#include "formats/line_rules.h"

namespace mojihyo {

namespace {

using namespace line_rules;

// Applies one line; false when it is of no known kind.
bool ReadLine(std::string_view line, FontTable& t) {
  line = StripLineStart(line);
  if (line.empty()) return true;
  if (line.starts_with("*=")) {
    t.LineBreakValue1 = MarkedValue(line, 3);
  } else if (line.starts_with("/=")) {
    t.StringBreakValue1 = MarkedValue(line, 3);
  } else if (line.starts_with("\\=")) {
    t.SectionBreakValue = MarkedValue(line, 3);
  } else if (CharAt(line, 3) == '=' || CharAt(line, 3) == ' ') {
    SetEntryText(t, EntryNumber(line, 1), line.substr(3), line.substr(0, 2));
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::size_t ReadHexposureTable(std::span<const std::string_view> lines, FontTable& table) {
  std::size_t notUnderstood = 0;
  for (std::string_view line : lines) notUnderstood += !ReadLine(line, table);
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
