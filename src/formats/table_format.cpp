#include "formats/table_format.h"

#include "core/lines.h"
#include "formats/hexposure_table.h"
#include "formats/mojihyo_table.h"
#include "formats/thingy_table.h"


namespace mojihyo {

std::string_view FormatName(TableFormat format) {
  switch (format) {
    case TableFormat::Thingy: return "Thingy";
    case TableFormat::Hexposure: return "Hexposure";
    case TableFormat::MoJiHyo: return "MoJiHyo";
  }
  return {};
}

std::optional<TableFormat> FormatFromName(std::string_view name) {
  for (TableFormat f : kAllTableFormats) {
    if (FormatName(f) == name) return f;
  }
  return std::nullopt;
}

void ClearForOpen(FontTable& t) {
  for (std::string* value : {&t.LineBreakValue1, &t.LineBreakValue2, &t.StringBreakValue1,
                             &t.StringBreakValue2, &t.SectionBreakValue, &t.DakutenValue,
                             &t.HandakutenValue})
    value->clear();
  t.ReverseOrder = false;
  t.OmitSymbols = false;
  for (auto* kept : {&t.BookmarkLines, &t.ScriptDumpLines, &t.DollarLines})
    kept->assign(1, std::string());
  for (int i = 0; i < kEntryCount; ++i) {
    SetEntryText(t, i, "");
    SetEntryLocked(t, i, false);
  }
  t.SixteenBitEntries.clear();
}

void ResetForNewTable(FontTable& t) {
  // Unlike an open, a new table keeps the Thingy options.
  const bool reverseOrder = t.ReverseOrder, omitSymbols = t.OmitSymbols;
  ClearForOpen(t);
  t.ReverseOrder = reverseOrder;
  t.OmitSymbols = omitSymbols;
  t.TableChanged = false;
  t.CurrentFileName.clear();
  t.SaveFormat.clear();
  t.FileTextForm = TextForm::Bytes;
}

std::size_t ReadTable(TableFormat format, std::span<const std::string_view> lines,
                      FontTable& table) {
  switch (format) {
    case TableFormat::Thingy: return ReadThingyTable(lines, table);
    case TableFormat::Hexposure: return ReadHexposureTable(lines, table);
    case TableFormat::MoJiHyo: return ReadMoJiHyoTable(lines, table);
  }
  return 0;
}

LineList WriteTable(TableFormat format, const FontTable& table) {
  switch (format) {
    case TableFormat::Thingy: return WriteThingyTable(table);
    case TableFormat::Hexposure: return WriteHexposureTable(table);
    case TableFormat::MoJiHyo: return WriteMoJiHyoTable(table);
  }
  return {};
}

std::size_t LoadTableBytes(TableFormat format, std::string_view bytes, FontTable& table) {
  return LoadTableBuffer(format, std::string(bytes), table);
}

std::size_t LoadTableBuffer(TableFormat format, std::string&& bytes, FontTable& table) {
  ClearForOpen(table);
  LineList& entries = table.SixteenBitEntries;
  const std::string_view file = entries.adopt(std::move(bytes));
  // Room for as many 16-bit entries as the file could hold (each is at
  // least "XXXX=" and a line end): lines never move while the list grows,
  // and room no line uses costs no memory.
  entries.reserve(file.size() / 6 + 1, 0);
  // The readers take each line on its own, so a batch at a time will do.
  std::size_t notUnderstood = 0;
  ForEachLineBatch(file, [&](std::span<const std::string_view> lines) {
    notUnderstood += ReadTable(format, lines, table);
  });
  entries.tidy();
  return notUnderstood;
}

std::string SaveTableBytes(TableFormat format, const FontTable& table) {
  std::string bytes;
  StringSink sink(bytes);
  WriteTableTo(format, table, sink);
  return bytes;
}

void WriteTableTo(TableFormat format, const FontTable& table, ByteSink& sink) {
  LineSink out(sink);
  switch (format) {
    case TableFormat::Thingy: return WriteThingyTable(table, out);
    case TableFormat::Hexposure: return WriteHexposureTable(table, out);
    case TableFormat::MoJiHyo: return WriteMoJiHyoTable(table, out);
  }
}

}  // namespace mojihyo
