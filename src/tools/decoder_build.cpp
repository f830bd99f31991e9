// Building a decoder: the entries of a table, the first line of each key,
// laid out as the lookup decoder.h describes.

#include "tools/decoder.h"

#include "core/font_table.h"
#include "core/hex_notation.h"
#include "entries16/entry_line.h"
#include "tfs/tfs_document.h"
#include "tfs/tfs_line.h"
#include "tfs/tfs_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

namespace mojihyo {

namespace {

bool HasPlaceholder(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    const char f = text[i + 1];
    if (f == 'D' || f == 'X' || f == 'B') return true;
    if (f == '%') ++i;
  }
  return false;
}

// The "\n" marks that end a label, taken off it.
int TakeLineBreaks(std::string_view& label) {
  int n = 0;
  while (label.ends_with("\\n")) {
    label.remove_suffix(2);
    ++n;
  }
  return n;
}

bool ClosesWithBracket(std::string_view label) {
  return label.size() >= 2 && ((label.front() == '[' && label.back() == ']') ||
                               (label.front() == '<' && label.back() == '>'));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes a run of hex digits spells, two to a byte; nothing when a
// character is not a hex digit.
std::optional<std::string> HexKey(std::string_view digits) {
  if (digits.empty() || digits.size() % 2 != 0) return std::nullopt;
  std::string key;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexDigit(digits[i]), low = HexDigit(digits[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    key.push_back(static_cast<char>(high << 4 | low));
  }
  return key;
}

}  // namespace

// Gathers the entries of each table, then keeps the first of every key
// (an order-keeping sort, cheaper than a set of the keys seen) and lays out
// the tries.
class Decoder::Builder {
public:
  explicit Builder(Decoder& d) : d_(d) { d_.tables_.clear(); }

  std::uint32_t AddTable() {
    d_.tables_.emplace_back();
    keys_.emplace_back();
    return static_cast<std::uint32_t>(d_.tables_.size() - 1);
  }

  // A key that matches nothing, though it is taken: a later entry with it
  // does not count.
  void Block(std::uint32_t table, const std::string& key) {
    if (!key.empty()) keys_[table].emplace_back(key, kNone);
  }

  std::uint32_t Store(std::string_view bytes) {
    const auto at = static_cast<std::uint32_t>(d_.pool_.size());
    d_.pool_.append(bytes);
    return at;
  }

  // An entry; it counts only when no earlier one of the table has its key.
  void Add(std::uint32_t table, const std::string& key, Entry e) {
    if (key.empty()) return;
    e.keyAt = Store(key);
    e.keyLength = static_cast<std::uint32_t>(key.size());
    keys_[table].emplace_back(key, static_cast<std::uint32_t>(d_.entries_.size()));
    d_.entries_.push_back(e);
  }

  Entry Text(std::string_view text, PieceKind kind = PieceKind::Text) {
    Entry e;
    e.kind = kind;
    e.headAt = Store(text);
    e.headLength = static_cast<std::uint32_t>(text.size());
    return e;
  }

  // An end token or newline: its label and at least one line end.
  Entry Break(std::string_view label, PieceKind kind) {
    const int breaks = TakeLineBreaks(label);
    std::string text(label);
    text.append(static_cast<std::size_t>(std::max(breaks, 1)), kDecodedLineEnd);
    return Text(text, kind);
  }

  Entry Control(std::string_view field) {
    const TfsControlCode code = ParseControlCode(field);
    std::string_view label = field.substr(0, std::min(field.size(), code.label.size() + 2 * code.labelNewline));
    // Every "\n" after the label, not only the one the parser takes off.
    const int breaks = TakeLineBreaks(label);
    const std::string lineEnds(static_cast<std::size_t>(breaks), kDecodedLineEnd);
    Entry e;
    e.kind = PieceKind::ControlCode;
    e.firstParam = static_cast<std::uint32_t>(d_.params_.size());
    if (code.linkedBytes >= 0) {
      e.paramCount = static_cast<std::uint32_t>(code.linkedBytes);
      e.linkedStyle = label.starts_with('[') ? '[' : '<';
      e.headAt = Store(label);
      e.headLength = static_cast<std::uint32_t>(label.size());
      e.tailAt = Store(lineEnds);
      e.tailLength = static_cast<std::uint32_t>(lineEnds.size());
      return e;
    }
    for (const TfsParameter& p : code.parameters) {
      const std::string text = " " + std::string(p.text);
      d_.params_.push_back({Store(text), static_cast<std::uint32_t>(text.size()), HasPlaceholder(p.text)});
    }
    e.paramCount = static_cast<std::uint32_t>(code.parameters.size());
    // The parameters go inside the label's brackets.
    const bool inside = e.paramCount > 0 && ClosesWithBracket(label);
    const std::string_view head = inside ? label.substr(0, label.size() - 1) : label;
    const std::string tail = (inside ? std::string(1, label.back()) : std::string()) + lineEnds;
    e.headAt = Store(head);
    e.headLength = static_cast<std::uint32_t>(head.size());
    e.tailAt = Store(tail);
    e.tailLength = static_cast<std::uint32_t>(tail.size());
    return e;
  }

  void Finish() {
    std::vector<std::uint32_t> roots;
    for (std::size_t t = 0; t < keys_.size(); ++t) {
      auto& keys = keys_[t];
      std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      keys.erase(std::unique(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                 keys.end());
      roots.push_back(BuildNode(keys, 0, keys.size(), 0));
    }
    for (Node& n : d_.nodes_) Describe(n);
    for (Slot& slot : d_.slots_) Fill(slot);
    for (std::size_t t = 0; t < keys_.size(); ++t) {
      const Node& root = d_.nodes_[roots[t]];
      Table& table = d_.tables_[t];
      // Block 0 of a table is empty: the second slots of every first byte
      // that no longer key starts with.
      table.secondBase = static_cast<std::uint32_t>(d_.seconds_.size());
      d_.seconds_.resize(d_.seconds_.size() + 256);
      std::uint8_t blocks = 1;
      for (int b = 0; b < 256; ++b) {
        const Slot* child = d_.Child(root, static_cast<unsigned char>(b));
        if (!child) continue;
        table.first[b] = *child;
        const Node& n = d_.nodes_[child->node];
        if (n.childCount == 0) continue;
        // A table keeps 255 blocks; a first byte beyond them is looked up
        // by the walk through the trie, which its slot must not skip.
        if (blocks == 255) {
          table.first[b].shortText = false;
          continue;
        }
        table.first[b].secondBlock = blocks++;
        const std::size_t at = d_.seconds_.size();
        d_.seconds_.resize(at + 256);
        for (int c = 0; c < 256; ++c) {
          const Slot* slot = d_.Child(n, static_cast<unsigned char>(c));
          if (!slot) continue;
          Second& second = d_.seconds_[at + static_cast<std::uint32_t>(c)];
          if (slot->simple && slot->textLength <= sizeof second.text) {
            second.flags = Second::kDone;
            second.textLength = slot->textLength;
            std::memcpy(second.text, slot->text, slot->textLength);
          } else {
            second.flags = Second::kMore;
          }
        }
      }
    }
  }

private:
  using Keys = std::vector<std::pair<std::string, std::uint32_t>>;

  // Copies into a node what its entry writes.
  void Describe(Node& n) {
    if (n.entry == kNone) return;
    const Entry& e = d_.entries_[n.entry];
    n.plain = e.kind == PieceKind::Text || e.kind == PieceKind::EndToken || e.kind == PieceKind::Newline;
    n.textAt = e.headAt;
    n.textLength = e.headLength;
    n.paramCount = e.paramCount;
  }

  // A slot takes in the short text of the key that ends there.
  void Fill(Slot& f) {
    if (f.node == kNone) return;
    const Node& n = d_.nodes_[f.node];
    if (!n.plain || n.textLength > sizeof f.text) return;
    f.shortText = true;
    f.simple = n.childCount == 0;
    f.textLength = static_cast<std::uint8_t>(n.textLength);
    std::memcpy(f.text, d_.pool_.data() + n.textAt, n.textLength);
  }

  // The node for the keys [lo, hi), which share their first `depth` bytes.
  // Its children's bytes are counted first, so that no list is made for
  // each of the many nodes.
  std::uint32_t BuildNode(const Keys& keys, std::size_t lo, std::size_t hi, std::size_t depth) {
    const auto index = static_cast<std::uint32_t>(d_.nodes_.size());
    d_.nodes_.emplace_back();
    std::size_t i = lo;
    if (i < hi && keys[i].first.size() == depth) d_.nodes_[index].entry = keys[i++].second;
    if (i == hi) return index;
    auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(keys[k].first[depth]); };
    Bits bits;
    for (std::size_t k = i; k < hi; ++k) bits.words[byteAt(k) >> 6] |= std::uint64_t{1} << (byteAt(k) & 63);
    for (int w = 1; w < 4; ++w)
      bits.before[w] = static_cast<std::uint16_t>(bits.before[w - 1] + std::popcount(bits.words[w - 1]));
    const int count = bits.before[3] + std::popcount(bits.words[3]);
    const auto at = static_cast<std::uint32_t>(d_.slots_.size());
    d_.slots_.resize(at + static_cast<std::size_t>(count));
    Node& node = d_.nodes_[index];
    node.childAt = at;
    node.bitsAt = static_cast<std::uint32_t>(d_.bits_.size());
    node.childCount = static_cast<std::uint16_t>(count);
    d_.bits_.push_back(bits);
    for (std::uint32_t k = 0; i < hi; ++k) {
      std::size_t j = i + 1;
      while (j < hi && byteAt(j) == byteAt(i)) ++j;
      const std::uint32_t child = BuildNode(keys, i, j, depth + 1);
      d_.slots_[at + k].node = child;
      i = j;
    }
    return index;
  }


  Decoder& d_;
  std::vector<Keys> keys_;
};

Decoder::Decoder() {
  Builder b(*this);
  b.AddTable();
  b.Finish();
}

Decoder Decoder::FromEntries(const std::vector<std::pair<std::string, std::string>>& entries) {
  Decoder d;
  Builder b(d);
  const std::uint32_t t = b.AddTable();
  for (const auto& [key, text] : entries) {
    b.Add(t, key, b.Text(text));
  }
  b.Finish();
  return d;
}

Decoder Decoder::FromTfs(const TfsDocument& doc, std::size_t logicalTable) {
  Decoder d;
  Builder b(d);
  const std::vector<TfsTable>& tables = doc.tables();
  for (std::size_t t = 0; t < tables.size(); ++t) b.AddTable();
  d.entries_.reserve(doc.lineCount());
  auto tableNamed = [&](std::string_view id) -> std::uint32_t {
    for (std::size_t t = 0; t < tables.size(); ++t) {
      if (tables[t].named && doc.tableId(t) == id) return static_cast<std::uint32_t>(t);
    }
    return kNone;
  };
  for (std::uint32_t t = 0; t < tables.size(); ++t) {
    for (std::size_t i = tables[t].first; i < tables[t].end; ++i) {
      if (!doc.hasKey(i) || doc.keyWidth(i) == 0) continue;
      const std::string key = doc.key(i).bytes;
      const std::string_view text = doc.text(i);
      switch (doc.kind(i)) {
        case TfsLineKind::Normal: b.Add(t, key, b.Text(text)); break;
        case TfsLineKind::EndToken: b.Add(t, key, b.Break(text, PieceKind::EndToken)); break;
        case TfsLineKind::Newline: b.Add(t, key, b.Break(text, PieceKind::Newline)); break;
        case TfsLineKind::ControlCode: b.Add(t, key, b.Control(text)); break;
        case TfsLineKind::TableSwitch: {
          const TfsTableSwitch s = ParseTableSwitch(text);
          const std::uint32_t target = s.understood ? tableNamed(s.target) : kNone;
          if (target == kNone) {
            b.Block(t, key);
            break;
          }
          Entry e = b.Text(s.label, PieceKind::TableSwitch);
          e.target = target;
          e.count = s.count < 0 ? -1 : s.count;
          b.Add(t, key, e);
          break;
        }
        default: break;
      }
    }
  }
  d.start_ = static_cast<std::uint32_t>(logicalTable < tables.size() ? logicalTable : 0);
  b.Finish();
  return d;
}

Decoder Decoder::FromFontTable(const FontTable& table) {
  if (table.Tfs) return FromTfs(SavedTfsDocument(table), table.CurrentLogicalTable);
  Decoder d;
  Builder b(d);
  const std::uint32_t t = b.AddTable();
  // The break values come first, so that they win over an entry of the
  // same byte: they are what the game does with it.
  auto addBreak = [&](const std::string& value, PieceKind kind) {
    if (value.empty()) return;
    const std::string key = *HexKey(PadHex(value, 2));
    b.Add(t, key, b.Break({}, kind));
  };
  addBreak(table.LineBreakValue1, PieceKind::Newline);
  addBreak(table.LineBreakValue2, PieceKind::Newline);
  addBreak(table.StringBreakValue1, PieceKind::EndToken);
  addBreak(table.StringBreakValue2, PieceKind::EndToken);
  for (int i = 0; i < kEntryCount; ++i) {
    const std::string& text = table.EntryText[i];
    const std::string key(1, static_cast<char>(i));
    if (!text.empty()) b.Add(t, key, b.Text(text));
  }
  for (std::string_view line : table.SixteenBitEntries) {
    if (line.size() < 5 || line[4] != '=') continue;
    const std::optional<std::string> key = HexKey(EntryLineNumber(line));
    if (key) b.Add(t, *key, b.Text(EntryLineValue(line)));
  }
  b.Finish();
  return d;
}

}  // namespace mojihyo
