#include "formats/hexposure_table.h"

#include "core/hex_notation.h"
#include "formats/line_rules.h"

namespace mojihyo {

namespace {

using namespace line_rules;

void ReadLine(std::string_view line, FontTable& t) {
  line = StripLineStart(line);
  if (line.starts_with("*=")) {
    t.LineBreakValue1 = MarkedValue(line, 3);
  } else if (line.starts_with("/=")) {
    t.StringBreakValue1 = MarkedValue(line, 3);
  } else if (line.starts_with("\\=")) {
    t.SectionBreakValue = MarkedValue(line, 3);
  } else if (CharAt(line, 3) == '=' || CharAt(line, 3) == ' ') {
    SetEntryText(t, EntryNumber(line, 1), line.substr(3), line.substr(0, 2));
  }
}

}  // namespace

void ReadHexposureTable(std::span<const std::string_view> lines, FontTable& table) {
  for (std::string_view line : lines) ReadLine(line, table);
}

LineList WriteHexposureTable(const FontTable& t) {
  LineList out;
  ReserveForWriting(t, out);
  WriteMarkedValue("*=", t.LineBreakValue1, out);
  WriteMarkedValue("/=", t.StringBreakValue1, out);
  WriteMarkedValue("\\=", t.SectionBreakValue, out);
  WriteEntryLines(t, out);
  return out;
}

}  // namespace mojihyo
