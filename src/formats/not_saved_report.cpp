#include "formats/not_saved_report.h"

#include "formats/tfs_losses.h"
#include "tfs/tfs_table.h"

namespace mojihyo {

namespace {

constexpr unsigned Bit(TableFormat f) { return 1u << static_cast<unsigned>(f); }
constexpr unsigned kHexposure = Bit(TableFormat::Hexposure);

struct ReportItem {
  const char* text;
  unsigned lostBy;  // a bit per format that loses the item
  bool (*present)(const FontTable&);
};

// Examined and listed in this order.
constexpr ReportItem kReportItems[] = {
    {"Thingy Menu toggle settings", kHexposure | Bit(TableFormat::Tfs),
     [](const FontTable& t) { return t.ReverseOrder || t.OmitSymbols; }},
    {"Second Line Break value", kHexposure,
     [](const FontTable& t) { return !t.LineBreakValue2.empty(); }},
    {"Second String Break value", kHexposure,
     [](const FontTable& t) { return !t.StringBreakValue2.empty(); }},
    {"Section Break value", Bit(TableFormat::Thingy) | Bit(TableFormat::Tfs),
     [](const FontTable& t) { return !t.SectionBreakValue.empty(); }},
    {"Dakuten value", kHexposure | Bit(TableFormat::Tfs),
     [](const FontTable& t) { return !t.DakutenValue.empty(); }},
    {"Handakuten value", kHexposure | Bit(TableFormat::Tfs),
     [](const FontTable& t) { return !t.HandakutenValue.empty(); }},
    {"16-bit font table entries", kHexposure,
     [](const FontTable& t) { return !t.SixteenBitEntries.empty(); }},
    {"Bookmarks", kHexposure,
     [](const FontTable& t) { return HasKeptLines(t.BookmarkLines); }},
    {"Script Dump information", kHexposure,
     [](const FontTable& t) { return HasKeptLines(t.ScriptDumpLines); }},
};

}  // namespace

std::vector<std::string> NotSavedItems(const FontTable& table, TableFormat format) {
  std::vector<std::string> items;
  for (const ReportItem& item : kReportItems) {
    if ((item.lostBy & Bit(format)) && item.present(table)) items.emplace_back(item.text);
  }
  // What of a TFS file has no field at all, counted by kind of line.
  if (table.Tfs && format != TableFormat::Tfs) {
    const TfsDocument doc = SavedTfsDocument(table);
    const std::size_t shown = SavedShownTable(table, doc).value_or(doc.tables().size());
    for (const LineCount& c : TfsSaveLosses(doc, shown, format))
      items.push_back(CountText(c));
  }
  return items;
}

std::string NotSavedMessage(TableFormat format, const std::vector<std::string>& items) {
  std::string text = "The font table was saved to disk successfully.  However, due to "
                     "limitations in the ";
  text += FormatName(format);
  text += " file format, the following settings were NOT saved:\r\r";
  for (const auto& item : items) text += item + "\r";
  text += "\rThough the above settings were not saved to disk, they are still present in "
          "memory.  So, if you save the font table in MoJiHyo TAB format now, the data will "
          "not be lost.";
  return text;
}

}  // namespace mojihyo
