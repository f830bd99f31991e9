// The check of a Thingy, Hexposure or MoJiHyo file, as that format's reader
// takes its lines: what it cannot take, what a later line overwrites, and
// the entries it keeps.

#include "tools/check_parts.h"

#include "core/hex_notation.h"
#include "core/lines.h"
#include "formats/table_format.h"
#include "tfs/tfs_line.h"

#include <algorithm>
#include <array>
#include <map>

namespace mojihyo::check {

namespace {

struct TakenLine {
  std::string_view text;  // leading spaces and byte order marks dropped
  LineSlot slot;
};

class Recorder : public LineSlotSink {
public:
  explicit Recorder(std::size_t lines) : taken(lines) {}
  void Take(std::size_t lineIndex, std::string_view line, LineSlot slot) override {
    taken[lineIndex] = {line, slot};
  }
  std::vector<TakenLine> taken;
};

bool AllHex(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  });
}

// What a line sets, in the words of its duplicate's message; empty for the
// parts a second line may set again without harm.
std::string WhatItSets(LineSlot slot) {
  switch (slot.kind) {
    case SlotKind::Entry: return "key " + HexByte(slot.index);
    case SlotKind::LineBreak2: return "the second Line Break value";
    case SlotKind::StringBreak2: return "the second String Break value";
    case SlotKind::SectionBreak: return "the Section Break value";
    case SlotKind::Dakuten: return "the Dakuten value";
    case SlotKind::Handakuten: return "the Handakuten value";
    default: return {};
  }
}

void AddBreakKeys(const FontTable& t, const std::vector<TakenLine>& taken, EntrySet& set) {
  const std::pair<SlotKind, const std::string*> breaks[] = {
      {SlotKind::LineBreak1, &t.LineBreakValue1}, {SlotKind::LineBreak2, &t.LineBreakValue2},
      {SlotKind::StringBreak1, &t.StringBreakValue1}, {SlotKind::StringBreak2, &t.StringBreakValue2}};
  for (const auto& [kind, value] : breaks) {
    if (value->empty()) continue;
    std::size_t line = 0;
    for (std::size_t i = 0; i < taken.size(); ++i) {
      if (taken[i].slot.kind == kind) line = i + 1;
    }
    const int byte = static_cast<int>(ReadHexNumber(PadHex(*value, 2)).value);
    set.entries.push_back({std::string(1, static_cast<char>(byte)), {}, line, false});
  }
}

}  // namespace

void CheckOlderFormat(TableFormat format, std::string_view bytes, const CheckOptions& options,
                      std::vector<Finding>& found, std::vector<LineSlot>* slots) {
  Findings out(found);
  const std::vector<std::string_view> lines = SplitLines(bytes);
  FontTable t;
  Recorder recorder(lines.size());
  ReadTable(format, lines, t, &recorder);
  const std::string reader = "the " + std::string(FormatName(format)) + " reader";

  EntrySet set;
  std::map<std::string, std::size_t> firstOf;  // what a line sets -> its first line
  std::array<std::size_t, kEntryCount> lastEntryLine{};
  for (std::size_t i = 0; i < recorder.taken.size(); ++i) {
    const auto& [line, slot] = recorder.taken[i];
    const std::size_t n = i + 1;
    if (slots) slots->push_back(slot);
    if (slot.kind == SlotKind::Blank) continue;
    // Only "=" first: "/=" and "*=" are the break lines of the Hexposure
    // and MoJiHyo formats.
    if (line.starts_with('=')) {
      out.Error(FindingKind::BlankKey, n, "blank key: nothing stands before the \"=\"");
      continue;
    }
    if (slot.kind == SlotKind::NotUnderstood) {
      out.Error(FindingKind::Unreadable, n, reader + " cannot take this line");
      continue;
    }
    std::string what = WhatItSets(slot), key;
    std::string_view text;
    if (slot.kind == SlotKind::Entry) {
      key.assign(1, static_cast<char>(slot.index));
      text = line.substr(3);
      lastEntryLine[static_cast<std::size_t>(slot.index)] = n;
      if (!AllHex(line.substr(0, 2)))
        out.Error(FindingKind::Unreadable, n,
                  Quoted(line.substr(0, 2)) + " is not a hex entry number: " + reader +
                      " takes the line as entry " + HexByte(slot.index),
                  0, key);
    } else if (slot.kind == SlotKind::SixteenBitEntry) {
      if (!AllHex(line.substr(0, 4))) {
        out.Error(FindingKind::Unreadable, n,
                  Quoted(line.substr(0, 4)) + " is not a hex key: " + reader +
                      " keeps the line as a 16-bit entry no dump can use");
        continue;
      }
      key = DecodeTfsKey(line.substr(0, 4)).bytes;
      text = line.substr(5);
      what = "key " + KeyHex(key);
    }
    if (!what.empty()) {
      auto [it, added] = firstOf.try_emplace(what, n);
      if (!added)
        out.Error(FindingKind::DuplicateKey, n,
                  (slot.kind == SlotKind::Entry || slot.kind == SlotKind::SixteenBitEntry
                       ? "duplicate " + what + ": line " + std::to_string(it->second) + " has it already"
                       : what + " is set on line " + std::to_string(it->second) + " already") +
                      (slot.kind == SlotKind::SixteenBitEntry ? "" : "; " + reader + " keeps the last line"),
                  0, key);
    }
    if (!key.empty() && text.empty())
      out.Warning(FindingKind::EmptyText, n,
                  "entry " + KeyHex(key) + " has an empty text" +
                      (slot.kind == SlotKind::Entry ? ": " + reader + " takes it as no entry"
                                                    : ": it dumps as nothing and no insertion writes it"),
                  0, key);
    if (slot.kind == SlotKind::SixteenBitEntry && firstOf[what] == n)
      set.entries.push_back({key, std::string(text), n, true});
  }
  for (int i = 0; i < kEntryCount; ++i) {
    const std::string& text = t.EntryText[i];
    if (!text.empty())
      set.entries.push_back({std::string(1, static_cast<char>(i)), text, lastEntryLine[static_cast<std::size_t>(i)], true});
  }
  std::stable_sort(set.entries.begin(), set.entries.end(),
                   [](const CodeEntry& a, const CodeEntry& b) { return a.line < b.line; });
  // A break value that is an entry's number too stays that entry.
  AddBreakKeys(t, recorder.taken, set);
  if (t.StringBreakValue1.empty())
    out.Warning(FindingKind::NoEndToken, 0, "the table has no end token: it sets no String Break value");
  const bool utf8 = TextsAreUtf8(bytes.starts_with(kUtf8Bom), {set});
  CheckEntries(set, utf8, options, out);
}

}  // namespace mojihyo::check
