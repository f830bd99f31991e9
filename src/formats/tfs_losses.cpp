#include "formats/tfs_losses.h"

#include "formats/drop_report.h"
#include "tfs/tfs_table.h"

#include <algorithm>
#include <array>

namespace mojihyo {

namespace {

// Kinds of loss, in the order they are listed.
enum Loss : std::size_t {
  OtherTables,
  TableIds,
  LongKeys,
  OddKeys,
  Duplicates,
  EmptyEntries,
  Labels,
  ExtraBreaks,
  ControlCodes,
  TableSwitches,
  Comments,
  Unparsed,
  kLossKinds
};

struct Name {
  const char* one;
  const char* many;
};

constexpr std::array<Name, kLossKinds> kLossNames = {{
    {"line of other logical tables", "lines of other logical tables"},
    {"table id", "table ids"},
    {"entry with a key longer than two bytes", "entries with keys longer than two bytes"},
    {"entry with a key that is not whole bytes", "entries with keys that are not whole bytes"},
    {"duplicate entry", "duplicate entries"},
    {"entry with empty text", "entries with empty text"},
    {"label of an end token or newline", "labels of end tokens and newlines"},
    {"end token or newline besides the break values",
     "end tokens and newlines besides the break values"},
    {"control code", "control codes"},
    {"table switch", "table switches"},
    {"comment", "comments"},
    {"unparsed line", "unparsed lines"},
}};

template <std::size_t N>
std::vector<LineCount> Listed(const std::array<std::size_t, N>& counts,
                              const std::array<Name, N>& names) {
  std::vector<LineCount> listed;
  for (std::size_t k = 0; k < N; ++k)
    if (counts[k] > 0) listed.push_back({counts[k], names[k].one, names[k].many});
  return listed;
}

}  // namespace

std::string CountText(const LineCount& c) {
  return std::to_string(c.count) + " " + (c.count == 1 ? c.one : c.many);
}

std::vector<LineCount> TfsSaveLosses(const TfsDocument& doc, std::size_t shown, TableFormat format) {
  std::array<std::size_t, kLossKinds> counts{};
  if (format == TableFormat::Tfs) return {};
  // With no table shown, every line is another table's.
  const bool any = shown < doc.tables().size();
  TfsFieldLines f;
  f.firstEntry.fill(kNoTfsLine);
  if (any) f = FieldLinesOf(doc, shown);
  const TfsTable table = any ? doc.tables()[shown] : TfsTable{};
  std::vector<bool> placed(doc.lineCount(), false);
  for (std::size_t line : f.firstEntry)
    if (line != kNoTfsLine) placed[line] = true;
  const bool hexposure = format == TableFormat::Hexposure;
  for (std::size_t i = 0; i < doc.lineCount(); ++i) {
    const TfsLineKind kind = doc.kind(i);
    if (kind == TfsLineKind::Blank) continue;
    if (i < table.first || i >= table.end) {
      ++counts[OtherTables];
      continue;
    }
    switch (kind) {
      case TfsLineKind::TableId: ++counts[TableIds]; break;
      case TfsLineKind::Comment: ++counts[Comments]; break;
      case TfsLineKind::Unparsed: ++counts[Unparsed]; break;
      case TfsLineKind::ControlCode: ++counts[ControlCodes]; break;
      case TfsLineKind::TableSwitch: ++counts[TableSwitches]; break;
      case TfsLineKind::Normal: {
        const std::size_t width = doc.keyWidth(i);
        if (width == 1) {
          if (!placed[i]) {
            ++counts[Duplicates];
          } else if (doc.text(i).empty()) {
            ++counts[EmptyEntries];
          }
        } else if (width == 0) {
          ++counts[OddKeys];
        } else if (width > 2) {
          ++counts[LongKeys];
        }
        break;
      }
      case TfsLineKind::EndToken:
      case TfsLineKind::Newline: {
        const auto& kept = kind == TfsLineKind::EndToken ? f.endTokens : f.newlines;
        const std::size_t at = static_cast<std::size_t>(std::find(kept.begin(), kept.end(), i) - kept.begin());
        // Hexposure keeps one Line Break and one String Break value.
        if (at >= kept.size() || (hexposure && at == 1)) {
          ++counts[ExtraBreaks];
        } else if (!doc.text(i).empty()) {
          ++counts[Labels];
        }
        break;
      }
      case TfsLineKind::Blank: break;
    }
  }
  // Two-byte keys are 16-bit entries, which Hexposure's own item names.
  return Listed(counts, kLossNames);
}

OpenLosses OpenLossesOf(std::string_view bytes, TableFormat format) {
  OpenLosses losses;
  FontTable scratch;
  const DropReport report = LoadTableReporting(format, bytes, scratch, format);
  losses.lines = report.dropped.size();
  losses.nonBlank = report.nonBlankLines;
  if (report.dropped.empty()) return losses;
  // The TFS reading splits lines as the other readers do, so the numbers
  // name the same lines.
  const TfsDocument doc{std::string(bytes)};
  enum { Comment, LongKey, Code, AtTable, Duplicate, Other, kKinds };
  constexpr std::array<Name, kKinds> kNames = {{{"comment", "comments"},
                                                {"key longer than two bytes", "keys longer than two bytes"},
                                                {"labelled code", "labelled codes"},
                                                {"line of @ tables", "lines of @ tables"},
                                                {"duplicate", "duplicates"},
                                                {"other line", "other lines"}}};
  std::array<std::size_t, kKinds> counts{};
  for (const DroppedLine& d : report.dropped) {
    const std::size_t i = d.number - 1;
    if (i >= doc.lineCount()) {
      ++counts[Other];
      continue;
    }
    const TfsLineKind kind = doc.kind(i);
    if (kind == TfsLineKind::Comment) {
      ++counts[Comment];
    } else if (kind == TfsLineKind::TableId || doc.tableOf(i) > 0) {
      ++counts[AtTable];
    } else if (kind == TfsLineKind::Normal && doc.keyWidth(i) > 2) {
      ++counts[LongKey];
    } else if (d.reason == DropReason::Duplicate) {
      ++counts[Duplicate];
    } else if (kind == TfsLineKind::EndToken || kind == TfsLineKind::Newline ||
               kind == TfsLineKind::ControlCode || kind == TfsLineKind::TableSwitch) {
      ++counts[Code];
    } else {
      ++counts[Other];
    }
  }
  losses.kinds = Listed(counts, kNames);
  return losses;
}

}  // namespace mojihyo
