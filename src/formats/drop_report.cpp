#include "formats/drop_report.h"

#include "core/hex_notation.h"
#include "core/lines.h"
#include "formats/line_slot.h"
#include "tfs/tfs_table.h"

#include <algorithm>
#include <array>

namespace mojihyo {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Upper(x) == Upper(y); });
}

// Whether a save in `target` writes the part a line went to.
bool TargetWrites(TableFormat target, LineSlot slot, const FontTable& t) {
  const bool thingy = target == TableFormat::Thingy, hexposure = target == TableFormat::Hexposure,
             own = target == TableFormat::MoJiHyo;
  switch (slot.kind) {
    case SlotKind::Entry:
      return !t.EntryText[slot.index].empty();
    case SlotKind::Lock:
      return own;
    case SlotKind::LineBreak1:
    case SlotKind::StringBreak1:
      return true;
    case SlotKind::LineBreak2:
    case SlotKind::StringBreak2:
    case SlotKind::SixteenBitEntry:
    case SlotKind::KeptLine:
      return !hexposure;
    case SlotKind::SectionBreak:
      return hexposure || own;
    case SlotKind::Dakuten:
    case SlotKind::Handakuten:
    case SlotKind::ReverseOrder:
    case SlotKind::OmitSymbols:
      return thingy || own;
    case SlotKind::Blank:
    case SlotKind::NotUnderstood:
      return false;
  }
  return false;
}

// The value of a part as the source format writes it, after its marker.
const std::string* MarkedValueOf(SlotKind kind, const FontTable& t) {
  switch (kind) {
    case SlotKind::LineBreak1:
      return &t.LineBreakValue1;
    case SlotKind::LineBreak2:
      return &t.LineBreakValue2;
    case SlotKind::StringBreak1:
      return &t.StringBreakValue1;
    case SlotKind::StringBreak2:
      return &t.StringBreakValue2;
    case SlotKind::SectionBreak:
      return &t.SectionBreakValue;
    case SlotKind::Dakuten:
      return &t.DakutenValue;
    case SlotKind::Handakuten:
      return &t.HandakutenValue;
    default:
      return nullptr;
  }
}

std::string_view Marker(TableFormat source, SlotKind kind) {
  const bool thingy = source == TableFormat::Thingy;
  switch (kind) {
    case SlotKind::LineBreak1:
    case SlotKind::LineBreak2:
      return thingy ? "*" : "*=";
    case SlotKind::StringBreak1:
    case SlotKind::StringBreak2:
      return thingy ? "/" : "/=";
    case SlotKind::SectionBreak:
      return "\\=";
    case SlotKind::Dakuten:
      return "!";
    case SlotKind::Handakuten:
      return "@";
    default:
      return {};
  }
}

// Whether the line, written again from what the table now holds in the
// source format's own terms, comes out the same but for the case of its hex
// digits: otherwise part of it was lost on the way in.
bool HeldWhole(TableFormat source, std::string_view line, LineSlot slot, const FontTable& t) {
  switch (slot.kind) {
    case SlotKind::Entry:
      return SameIgnoringCase(line.substr(0, 2), HexByte(slot.index)) &&
             line.substr(3) == t.EntryText[slot.index];
    case SlotKind::Lock:
      return SameIgnoringCase(line, "|" + HexByte(slot.index));
    case SlotKind::ReverseOrder:
      return line == ">";
    case SlotKind::OmitSymbols:
      return line == "#";
    case SlotKind::SixteenBitEntry:
    case SlotKind::KeptLine:
      return true;
    default:
      break;
  }
  const std::string* value = MarkedValueOf(slot.kind, t);
  return value &&
         SameIgnoringCase(line, std::string(Marker(source, slot.kind)) + PadHex(*value, 2));
}

// Follows an older format's reader line by line. Only the last line written
// to a part can be kept; whether it is kept whole is judged once the whole
// file is read.
class DropTracker : public LineSlotSink {
 public:
  DropTracker(TableFormat source, TableFormat target, const FontTable& table)
      : source_(source), target_(target), table_(table) {}

  void Take(std::size_t lineIndex, std::string_view line, LineSlot slot) override {
    if (slot.kind == SlotKind::Blank) return;
    ++report_.nonBlankLines;
    if (slot.kind == SlotKind::NotUnderstood) {
      Drop(lineIndex, DropReason::NotUnderstood);
    } else if (slot.kind == SlotKind::SixteenBitEntry || slot.kind == SlotKind::KeptLine) {
      // Each has a place of its own and is kept as it stands.
      if (!TargetWrites(target_, slot, table_)) Drop(lineIndex, DropReason::NoPlace);
    } else if (Owner& owner = OwnerOf(slot); owner.line != kNone) {
      Drop(owner.line, DropReason::Duplicate);
      owner = {lineIndex, line, slot};
    } else {
      owner = {lineIndex, line, slot};
    }
  }

  DropReport Finish(const FontTable& t) {
    auto judge = [&](const Owner& o) {
      if (o.line == kNone) return;
      if (!TargetWrites(target_, o.slot, t)) {
        Drop(o.line, DropReason::NoPlace);
      } else if (!HeldWhole(source_, o.text, o.slot, t)) {
        Drop(o.line, DropReason::PartDropped);
      }
    };
    for (const Owner& o : entries_) judge(o);
    for (const Owner& o : locks_) judge(o);
    for (const Owner& o : singles_) judge(o);
    std::sort(report_.dropped.begin(), report_.dropped.end(),
              [](const DroppedLine& a, const DroppedLine& b) { return a.number < b.number; });
    return std::move(report_);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Owner {
    std::size_t line = kNone;
    std::string_view text;
    LineSlot slot;
  };

  Owner& OwnerOf(LineSlot slot) {
    if (slot.kind == SlotKind::Entry) return entries_[static_cast<std::size_t>(slot.index)];
    if (slot.kind == SlotKind::Lock) return locks_[static_cast<std::size_t>(slot.index)];
    return singles_[static_cast<std::size_t>(slot.kind)];
  }
  void Drop(std::size_t lineIndex, DropReason reason) {
    report_.dropped.push_back({lineIndex + 1, reason});
  }

  TableFormat source_, target_;
  DropReport report_;
  std::array<Owner, kEntryCount> entries_, locks_;
  std::array<Owner, static_cast<std::size_t>(SlotKind::KeptLine) + 1> singles_;
  const FontTable& table_;
};

// A TFS file keeps every line in its document, so only another format can
// lose any: everything but what the fields of the first logical table show.
DropReport TfsDrops(const TfsDocument& doc, TableFormat target) {
  DropReport report;
  const std::size_t n = doc.lineCount();
  for (std::size_t i = 0; i < n; ++i) report.nonBlankLines += doc.kind(i) != TfsLineKind::Blank;
  if (target == TableFormat::Tfs) return report;

  constexpr int kKept = -1;
  std::vector<int> fate(n, static_cast<int>(DropReason::NoPlace));
  const TfsFieldLines f = FieldLinesOf(doc, 0);
  for (std::size_t line : f.entries) fate[line] = static_cast<int>(DropReason::Duplicate);
  for (std::size_t line : f.firstEntry) {
    if (line != kNoTfsLine && !doc.text(line).empty()) fate[line] = kKept;
    // An empty entry is written by no format.
    if (line != kNoTfsLine && doc.text(line).empty())
      fate[line] = static_cast<int>(DropReason::NoPlace);
  }
  const bool hexposure = target == TableFormat::Hexposure;
  if (!hexposure) {
    // Only two-byte keys are 16-bit entries there.
    for (std::size_t line : f.rows)
      if (doc.keyWidth(line) == 2) fate[line] = kKept;
  }
  for (const auto* breaks : {&f.newlines, &f.endTokens}) {
    for (std::size_t k = 0; k < breaks->size(); ++k) {
      const std::size_t line = (*breaks)[k];
      if (hexposure && k == 1) continue;
      fate[line] = doc.text(line).empty() ? kKept : static_cast<int>(DropReason::PartDropped);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (doc.kind(i) == TfsLineKind::Blank || fate[i] == kKept) continue;
    const auto reason = doc.kind(i) == TfsLineKind::Unparsed ? DropReason::NotUnderstood
                                                             : static_cast<DropReason>(fate[i]);
    report.dropped.push_back({i + 1, reason});
  }
  return report;
}

// Tells the tracker each line's place in the whole file, while the lines
// come a batch at a time.
class Numbered : public LineSlotSink {
public:
  explicit Numbered(LineSlotSink& to) : to_(to) {}
  void Take(std::size_t lineIndex, std::string_view line, LineSlot slot) override {
    to_.Take(first_ + lineIndex, line, slot);
  }
  void NextBatch(std::size_t size) { first_ += size; }

private:
  LineSlotSink& to_;
  std::size_t first_ = 0;
};

// The text of the first dropped lines, which a report shows, as the
// readers were handed them.
void KeepShownTexts(std::string_view file, DropReport& report) {
  if (report.dropped.empty()) return;
  std::size_t k = 0, number = 0;
  ForEachLineBatch(file, [&](std::span<const std::string_view> lines) {
    for (std::string_view line : lines) {
      ++number;
      while (k < report.dropped.size() && k < kDroppedLinesShown &&
             report.dropped[k].number == number)
        report.dropped[k++].text.assign(line);
    }
  });
}

DropReport LoadOwned(TableFormat source, std::string&& bytes, FontTable& table,
                     TableFormat target) {
  ClearForOpen(table);
  if (source == TableFormat::Tfs) {
    ReadTfsTable(std::move(bytes), table);
    DropReport report = TfsDrops(*table.Tfs, target);
    for (std::size_t k = 0; k < report.dropped.size() && k < kDroppedLinesShown; ++k)
      report.dropped[k].text.assign(table.Tfs->line(report.dropped[k].number - 1));
    return report;
  }
  // The 16-bit entries stay where the file put them: the file becomes their
  // list's buffer, and the lines are read a batch at a time, never all at
  // once.
  LineList& entries = table.SixteenBitEntries;
  const std::string_view file = entries.adopt(std::move(bytes));
  // Room for as many 16-bit entries as the file could hold (each is at
  // least "XXXX=" and a line end): lines never move while the list grows,
  // and room no line uses costs no memory.
  entries.reserve(file.size() / 6 + 1, 0);
  DropTracker tracker(source, target, table);
  Numbered numbered(tracker);
  ForEachLineBatch(file, [&](std::span<const std::string_view> lines) {
    ReadTable(source, lines, table, &numbered);
    numbered.NextBatch(lines.size());
  });
  // The tracker holds views of the file's lines: it is done before the
  // list may give the file's bytes back.
  DropReport report = tracker.Finish(table);
  KeepShownTexts(file, report);
  entries.tidy();
  return report;
}

}  // namespace

DropReport LoadTableReporting(TableFormat source, std::string_view bytes, FontTable& table,
                              TableFormat target) {
  return LoadOwned(source, std::string(bytes), table, target);
}

DropReport LoadOwnedTableReporting(TableFormat source, std::string&& bytes, FontTable& table,
                                   TableFormat target) {
  return LoadOwned(source, std::move(bytes), table, target);
}

std::string_view FileLine(std::string_view bytes, std::size_t number) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  return number >= 1 && number <= lines.size() ? lines[number - 1] : std::string_view();
}

}  // namespace mojihyo
