// The check of a TFS file, as the fullest reading sees it.

#include "tools/check_parts.h"

#include "tfs/tfs_document.h"

#include <unordered_map>
#include <unordered_set>

namespace mojihyo {

namespace {

using check::Findings;
using check::KeyHex;
using check::Quoted;

// A label as insertion meets it in a script: as written, without the
// "\n" that only says a dump starts a new line after it.
std::string_view Label(const TfsDocument& doc, std::size_t i) {
  std::string_view label;
  switch (doc.kind(i)) {
    case TfsLineKind::EndToken:
    case TfsLineKind::Newline: label = doc.text(i); break;
    case TfsLineKind::ControlCode: label = ParseControlCode(doc.text(i)).label; break;
    case TfsLineKind::TableSwitch: label = ParseTableSwitch(doc.text(i)).label; break;
    default: return {};
  }
  while (label.ends_with("\\n")) label.remove_suffix(2);
  return label;
}

bool IsHexSpelling(std::string_view spelling) { return !spelling.starts_with('%'); }

void CheckLine(const TfsDocument& doc, std::size_t i, const std::unordered_set<std::string>& ids,
               std::unordered_map<std::string, std::size_t>& labels, Findings& out) {
  const std::size_t n = i + 1, table = doc.tableOf(i);
  const TfsLineKind kind = doc.kind(i);
  if (kind == TfsLineKind::Blank || kind == TfsLineKind::Comment || kind == TfsLineKind::TableId) return;
  if (check::HasBlankKey(doc.line(i))) {
    out.Error(FindingKind::BlankKey, n, "blank key: nothing stands before the \"=\"", table);
    return;
  }
  if (kind == TfsLineKind::Unparsed) {
    out.Error(FindingKind::Unreadable, n, "no reader can take this line", table);
    return;
  }
  if (doc.hasKey(i)) {
    const std::string_view spelling = doc.keySpelling(i);
    const TfsKey key = doc.key(i);
    if (IsHexSpelling(spelling) && spelling.size() % 2 == 1)
      out.Warning(FindingKind::OddKey, n,
                  "the key " + Quoted(spelling) + " has an odd number of hex digits: it is read as " +
                      KeyHex(key.bytes),
                  table, key.bytes);
    const std::size_t first = *doc.FindKey(table, key);
    if (first != i)
      out.Error(FindingKind::DuplicateKey, n,
                "duplicate key " + KeyHex(key.bytes) + ": line " + std::to_string(first + 1) +
                    " has it already",
                table, key.bytes);
  }
  if (kind == TfsLineKind::TableSwitch) {
    const TfsTableSwitch s = ParseTableSwitch(doc.text(i));
    // Such a line is read, as a switch, but where it switches to is not
    // known: the check cannot follow it, which need not be the table's fault.
    if (!s.understood) {
      out.Warning(FindingKind::Unreadable, n,
                  "a table switch that names no table: neither \"!XX=[TableID],N\" nor "
                  "\"!XX=<label>,<@id>:type\"",
                  table);
      return;
    }
    if (!ids.contains(std::string(s.target)))
      out.Error(FindingKind::UnknownTable, n,
                "the table switch names table " + Quoted(s.target) + ", which no loaded table has",
                table);
  }
  const std::string_view label = Label(doc, i);
  if (!label.empty()) {
    auto [it, added] = labels.try_emplace(std::string(label), n);
    if (!added)
      out.Error(FindingKind::DuplicateLabel, n,
                "the label " + Quoted(label) + " is used on line " + std::to_string(it->second) +
                    " already in this table",
                table);
  }
  if (kind == TfsLineKind::Normal && doc.text(i).empty())
    out.Warning(FindingKind::EmptyText, n,
                "entry " + KeyHex(doc.key(i).bytes) +
                    " has an empty text: it dumps as nothing and no insertion writes it",
                table, doc.key(i).bytes);
}

std::string TableName(const TfsDocument& doc, std::size_t t) {
  return doc.tables()[t].named ? "table @" + std::string(doc.tableId(t)) : std::string();
}

}  // namespace

std::vector<Finding> CheckTfsDocument(const TfsDocument& doc, const CheckOptions& options) {
  std::vector<Finding> found;
  Findings out(found);
  std::unordered_set<std::string> ids(options.loadedTableIds.begin(), options.loadedTableIds.end());
  for (std::size_t t = 0; t < doc.tables().size(); ++t) {
    if (doc.tables()[t].named) ids.emplace(doc.tableId(t));
  }
  std::unordered_set<std::string> switchedTo(options.switchedToIds.begin(), options.switchedToIds.end());
  std::vector<check::EntrySet> sets(doc.tables().size());
  std::vector<bool> endless(doc.tables().size(), false);
  for (std::size_t t = 0; t < doc.tables().size(); ++t) {
    const TfsTable& table = doc.tables()[t];
    check::EntrySet& set = sets[t];
    set.table = t;
    set.name = TableName(doc, t);
    std::unordered_map<std::string, std::size_t> labels;
    bool endToken = false;
    for (std::size_t i = table.first; i < table.end; ++i) {
      CheckLine(doc, i, ids, labels, out);
      const TfsLineKind kind = doc.kind(i);
      endToken = endToken || (kind == TfsLineKind::EndToken && !check::HasBlankKey(doc.line(i)));
      if (kind == TfsLineKind::TableSwitch) {
        const TfsTableSwitch s = ParseTableSwitch(doc.text(i));
        if (s.understood) switchedTo.emplace(s.target);
      }
      // Keys of whole bytes take part in dumping; the first line of each.
      if (doc.keyWidth(i) == 0 || *doc.FindKey(t, doc.key(i)) != i) continue;
      const bool normal = kind == TfsLineKind::Normal;
      set.entries.push_back({doc.key(i).bytes, normal ? std::string(doc.text(i)) : std::string(), i + 1, normal});
    }
    endless[t] = !endToken;
  }
  // A table only ever switched to ends by switching back, not by an end token.
  for (std::size_t t = 0; t < sets.size(); ++t) {
    const TfsTable& table = doc.tables()[t];
    if (!endless[t] || (table.named && switchedTo.contains(std::string(doc.tableId(t))))) continue;
    out.Warning(FindingKind::NoEndToken, table.named ? table.idLine + 1 : 0,
                (sets[t].name.empty() ? std::string("the table") : sets[t].name) + " has no end token", t);
  }
  const bool utf8 = check::TextsAreUtf8(doc.hasBom(), sets);
  for (const check::EntrySet& set : sets) check::CheckEntries(set, utf8, options, out);
  if (options.compatibility) check::CheckCompatibility(doc, out);
  check::SortByLine(found);
  return found;
}

}  // namespace mojihyo
