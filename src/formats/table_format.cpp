#include "formats/table_format.h"

#include "core/lines.h"
#include "formats/drop_report.h"
#include "formats/hexposure_table.h"
#include "formats/mojihyo_table.h"
#include "formats/thingy_table.h"
#include "tfs/tfs_table.h"

namespace mojihyo {

std::string_view FormatName(TableFormat format) {
  switch (format) {
    case TableFormat::Thingy: return "Thingy";
    case TableFormat::Hexposure: return "Hexposure";
    case TableFormat::MoJiHyo: return "MoJiHyo";
    case TableFormat::Tfs: return "TFS";
  }
  return {};
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
  t.Tfs.reset();
  t.CurrentLogicalTable = 0;
}

void ResetForNewTable(FontTable& t) {
  // Unlike an open, a new table keeps the Thingy options.
  const bool reverseOrder = t.ReverseOrder, omitSymbols = t.OmitSymbols;
  ClearForOpen(t);
  t.ReverseOrder = reverseOrder;
  t.OmitSymbols = omitSymbols;
  t.TableChanged = false;
  t.CurrentFileName.clear();
  t.SaveFormat.reset();
  t.FileTextForm = TextForm::Bytes;
}

std::size_t ReadTable(TableFormat format, std::span<const std::string_view> lines,
                      FontTable& table, LineSlotSink* sink) {
  switch (format) {
    case TableFormat::Thingy: return ReadThingyTable(lines, table, sink);
    case TableFormat::Hexposure: return ReadHexposureTable(lines, table, sink);
    case TableFormat::MoJiHyo: return ReadMoJiHyoTable(lines, table, sink);
    case TableFormat::Tfs: {
      std::string bytes;
      for (std::string_view line : lines) (bytes += line) += '\n';
      ReadTfsTable(std::move(bytes), table);
      return 0;
    }
  }
  return 0;
}

LineList WriteTable(TableFormat format, const FontTable& table) {
  switch (format) {
    case TableFormat::Thingy: return WriteThingyTable(table);
    case TableFormat::Hexposure: return WriteHexposureTable(table);
    case TableFormat::MoJiHyo: return WriteMoJiHyoTable(table);
    case TableFormat::Tfs: {
      const TfsDocument doc = SavedTfsDocument(table);
      LineList lines;
      for (std::size_t i = 0; i < doc.lineCount(); ++i) lines.push_back(doc.line(i));
      return lines;
    }
  }
  return {};
}

LoadReport LoadTableBytes(TableFormat format, std::string_view bytes, FontTable& table) {
  return LoadOwnedTableBytes(format, std::string(bytes), table);
}

LoadReport LoadOwnedTableBytes(TableFormat format, std::string&& bytes, FontTable& table) {
  const DropReport report = LoadOwnedTableReporting(format, std::move(bytes), table, format);
  return {report.dropped.size(), report.nonBlankLines};
}

std::string SaveTableBytes(TableFormat format, const FontTable& table) {
  std::string bytes;
  StringSink sink(bytes);
  WriteTableTo(format, table, sink);
  return bytes;
}

void WriteTableTo(TableFormat format, const FontTable& table, ByteSink& sink) {
  if (format == TableFormat::Tfs) {
    if (!table.Tfs) {
      WriteNewTfsTable(table, sink);
    } else if (const TfsEdits e = FieldEdits(*table.Tfs, table.CurrentLogicalTable, table);
               e.empty()) {
      table.Tfs->WriteTo(sink);
    } else {
      TfsDocument doc = *table.Tfs;
      doc.Apply(e);
      doc.WriteTo(sink);
    }
    return;
  }
  LineSink out(sink);
  switch (format) {
    case TableFormat::Thingy: return WriteThingyTable(table, out);
    case TableFormat::Hexposure: return WriteHexposureTable(table, out);
    case TableFormat::MoJiHyo: return WriteMoJiHyoTable(table, out);
    case TableFormat::Tfs: return;
  }
}

}  // namespace mojihyo
