#include "tfs/tfs_codes.h"

#include "tfs/tfs_table.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace mojihyo {

namespace {

// The pairs of old and new codes that stay as they are: a longest common
// subsequence. Code lists are short; a long one is matched at its ends only.
std::vector<std::pair<std::size_t, std::size_t>> Unchanged(const std::vector<std::string_view>& old,
                                                           const std::vector<std::string>& now) {
  const std::size_t n = old.size(), m = now.size();
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  if (n * m > 4'000'000) {
    std::size_t head = 0, tail = 0;
    while (head < n && head < m && old[head] == now[head]) pairs.emplace_back(head, head), ++head;
    while (tail < n - head && tail < m - head && old[n - 1 - tail] == now[m - 1 - tail]) ++tail;
    for (std::size_t k = tail; k-- > 0;) pairs.emplace_back(n - 1 - k, m - 1 - k);
    return pairs;
  }
  std::vector<std::vector<unsigned>> length(n + 1, std::vector<unsigned>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      length[i][j] = old[i] == now[j] ? length[i + 1][j + 1] + 1
                                      : std::max(length[i + 1][j], length[i][j + 1]);
  for (std::size_t i = 0, j = 0; i < n && j < m;) {
    if (old[i] == now[j]) {
      pairs.emplace_back(i++, j++);
    } else if (length[i + 1][j] >= length[i][j + 1]) {
      ++i;
    } else {
      ++j;
    }
  }
  return pairs;
}

}  // namespace

bool IsCodeKind(TfsLineKind kind) {
  return kind == TfsLineKind::EndToken || kind == TfsLineKind::Newline ||
         kind == TfsLineKind::ControlCode || kind == TfsLineKind::TableSwitch;
}

TfsLineKind CodeKindOf(char marker) {
  switch (marker) {
    case '/': return TfsLineKind::EndToken;
    case '*': return TfsLineKind::Newline;
    case '$': return TfsLineKind::ControlCode;
    case '!': return TfsLineKind::TableSwitch;
    default: return TfsLineKind::Unparsed;
  }
}

std::optional<CodeParts> SplitCodeLine(std::string_view line) {
  const TfsLineParse parse = ParseTfsLine(line);
  if (!IsCodeKind(parse.kind)) return std::nullopt;
  CodeParts parts;
  // The marker stands just before the key (after any leading spaces), or
  // just before the label of a "/label" line.
  const std::size_t marker = line.find_first_of("/*$!");
  parts.marker = line[marker];
  parts.key = std::string(line.substr(parse.keyAt, parse.keyLength));
  if (parse.textAt != kNoText) parts.definition = std::string(line.substr(parse.textAt));
  return parts;
}

std::string JoinCodeLine(const CodeParts& parts) {
  std::string line(1, parts.marker);
  line += parts.key;
  if (!parts.definition.empty()) {
    if (!parts.key.empty()) line += '=';
    line += parts.definition;
  }
  return line;
}

std::vector<std::size_t> CodeLinesOf(const TfsDocument& doc, std::size_t table) {
  std::vector<std::size_t> lines;
  if (table >= doc.tables().size()) return lines;
  const TfsTable& t = doc.tables()[table];
  for (std::size_t i = t.first; i < t.end; ++i)
    if (IsCodeKind(doc.kind(i))) lines.push_back(i);
  return lines;
}

TfsEdits CodeEdits(const TfsDocument& doc, std::size_t table, const std::vector<std::string>& codes) {
  TfsEdits e;
  e.table = table;
  const std::vector<std::size_t> lines = CodeLinesOf(doc, table);
  std::vector<std::string_view> old;
  old.reserve(lines.size());
  for (std::size_t line : lines) old.push_back(doc.line(line));
  auto pairs = Unchanged(old, codes);
  pairs.emplace_back(old.size(), codes.size());  // the end closes the last gap
  std::size_t i = 0, j = 0;
  for (const auto& [oi, nj] : pairs) {
    // Between two unchanged codes: rewrite old lines in order with the new
    // codes, then remove or add what is left over.
    while (i < oi && j < nj) e.rewrites.push_back({lines[i++], codes[j++]});
    for (; i < oi; ++i) e.removals.push_back(lines[i]);
    for (; j < nj; ++j) {
      if (oi < lines.size()) {
        e.inserts.push_back({lines[oi], codes[j]});
      } else if (!lines.empty()) {
        e.inserts.push_back({lines.back() + 1, codes[j]});
      } else {
        e.appends.push_back(codes[j]);
      }
    }
    i = oi + 1;
    j = nj + 1;
  }
  return e;
}

std::vector<std::string> TableCodes(const FontTable& table) {
  std::vector<std::string> codes;
  if (!table.Tfs) return codes;
  const TfsDocument doc = SavedTfsDocument(table);
  const std::optional<std::size_t> shown = SavedShownTable(table, doc);
  if (!shown) return codes;  // an ended unnamed table had none
  for (std::size_t line : CodeLinesOf(doc, *shown))
    codes.emplace_back(doc.line(line));
  return codes;
}

void SetTableCodes(FontTable& table, const std::vector<std::string>& codes) {
  if (!table.Tfs) return;
  auto doc = std::make_shared<TfsDocument>(SavedTfsDocument(table));
  TfsEdits edits;
  if (SavedShownTable(table, *doc)) {
    edits = CodeEdits(*doc, table.CurrentLogicalTable, codes);
  } else {
    // The shown unnamed table ended when its entries were emptied: its
    // codes go where it stood, before the first "@" line, and bring it back.
    for (const std::string& code : codes) edits.inserts.push_back({doc->tables().front().idLine, code});
  }
  if (edits.empty()) return;
  doc->Apply(edits);
  // Removing codes may end the unnamed table they stood in.
  const std::size_t shown = std::min(table.CurrentLogicalTable, doc->tables().size() - 1);
  table.Tfs = std::move(doc);
  // The fields were kept in the document: reading them again takes in new
  // or changed break values. The codes themselves are a change of the table.
  ShowLogicalTable(table, shown);
  table.TableChanged = true;
}

}  // namespace mojihyo
