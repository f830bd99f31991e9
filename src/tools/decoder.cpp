#include "tools/decoder.h"

#include "core/font_table.h"
#include "core/hex_notation.h"
#include "entries16/entry_line.h"
#include "tfs/tfs_document.h"
#include "tfs/tfs_line.h"
#include "tfs/tfs_table.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_set>

namespace mojihyo {

namespace {

// Bytes the fast loop decodes between two checks of the output's room.
constexpr std::size_t kBlock = 4096;
// A node with more children than this keeps a slot for every byte value.
constexpr std::size_t kDenseFrom = 16;
// Tables switched into one another without ever falling back would pile
// up without end; past this depth the oldest switch is forgotten.
constexpr std::size_t kMaxFrames = 64;

constexpr char kHexDigits[] = "0123456789ABCDEF";

char* PutHex(char* w, unsigned char b) {
  *w++ = kHexDigits[b >> 4];
  *w++ = kHexDigits[b & 0xF];
  return w;
}

char* PutRaw(char* w, unsigned char b, char open) {
  *w++ = open;
  *w++ = '$';
  w = PutHex(w, b);
  *w++ = open == '<' ? '>' : ']';
  return w;
}

// A parameter's text with its placeholders replaced by the byte's value:
// %D decimal, %X "$" and two hex digits, %B "%" and eight binary digits;
// "%%" is a percent sign.
char* PutParameter(char* w, std::string_view text, bool placeholder, unsigned char b) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char f = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c == '%' && (f == '%' || f == 'D' || f == 'X' || f == 'B')) {
      ++i;
      if (f == '%') {
        *w++ = '%';
      } else if (f == 'D') {
        const std::string digits = std::to_string(b);
        w = std::copy(digits.begin(), digits.end(), w);
      } else if (f == 'X') {
        *w++ = '$';
        w = PutHex(w, b);
      } else {
        *w++ = '%';
        for (int bit = 7; bit >= 0; --bit) *w++ = static_cast<char>('0' + ((b >> bit) & 1));
      }
      continue;
    }
    *w++ = c;
  }
  // A parameter without a placeholder still takes its byte, and shows it.
  if (!placeholder) {
    *w++ = '$';
    w = PutHex(w, b);
  }
  return w;
}

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

// Output straight into a string; used for the small ranges the windows show.
class StringSink {
public:
  explicit StringSink(std::string& s) : s_(s) {}
  char* Room(std::size_t n) {
    const std::size_t used = s_.size();
    s_.resize(used + n);
    return s_.data() + used;
  }
  void Done(char* w) { s_.resize(static_cast<std::size_t>(w - s_.data())); }
  std::uint64_t Size() const { return s_.size(); }
  bool ok() const { return true; }

private:
  std::string& s_;
};

// Output into a buffer handed on whenever it fills, for whole files.
class BufferSink {
public:
  explicit BufferSink(const std::function<bool(std::string_view)>& write)
      : write_(write), buffer_(new char[kCapacity]), capacity_(kCapacity) {}
  char* Room(std::size_t n) {
    if (size_ + n > capacity_) {
      Flush();
      if (n > capacity_) {
        buffer_.reset(new char[n]);
        capacity_ = n;
      }
    }
    return buffer_.get() + size_;
  }
  void Done(char* w) { size_ = static_cast<std::size_t>(w - buffer_.get()); }
  std::uint64_t Size() const { return flushed_ + size_; }
  bool ok() const { return ok_; }
  bool Flush() {
    if (size_ > 0 && ok_) ok_ = write_(std::string_view(buffer_.get(), size_));
    flushed_ += size_;
    size_ = 0;
    return ok_;
  }

private:
  static constexpr std::size_t kCapacity = 256 * 1024;
  const std::function<bool(std::string_view)>& write_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t size_ = 0;
  std::uint64_t flushed_ = 0;
  bool ok_ = true;
};

}  // namespace

// Gathers the entries of each table, the first of every key, then lays
// out the tries.
class Decoder::Builder {
public:
  explicit Builder(Decoder& d) : d_(d) { d_.tables_.clear(); }

  std::uint32_t AddTable() {
    d_.tables_.emplace_back();
    keys_.emplace_back();
    seen_.emplace_back();
    return static_cast<std::uint32_t>(d_.tables_.size() - 1);
  }

  // False when an earlier entry of the table holds the key.
  bool Claim(std::uint32_t table, const std::string& key) {
    return !key.empty() && seen_[table].insert(key).second;
  }

  std::uint32_t Store(std::string_view bytes) {
    const auto at = static_cast<std::uint32_t>(d_.pool_.size());
    d_.pool_.append(bytes);
    return at;
  }

  void Add(std::uint32_t table, const std::string& key, Entry e) {
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
    for (std::size_t t = 0; t < keys_.size(); ++t) {
      auto& keys = keys_[t];
      std::sort(keys.begin(), keys.end());
      const std::uint32_t root = BuildNode(keys, 0, keys.size(), 0);
      Table& table = d_.tables_[t];
      const Node& r = d_.nodes_[root];
      const std::uint32_t slots = r.dense ? 256 : r.childCount;
      for (std::uint32_t k = 0; k < slots; ++k) {
        const std::uint32_t slot = r.childAt + k;
        const std::uint32_t node = d_.children_[slot];
        if (node == kNone) continue;
        First& f = table.first[d_.childBytes_[slot]];
        f.node = node;
        const Node& n = d_.nodes_[node];
        if (n.entry == kNone || n.childCount > 0) continue;
        const Entry& e = d_.entries_[n.entry];
        if (e.kind != PieceKind::Text || e.headLength > sizeof f.text) continue;
        f.simple = true;
        f.textLength = static_cast<std::uint8_t>(e.headLength);
        std::memcpy(f.text, d_.pool_.data() + e.headAt, e.headLength);
        table.simpleWidth = std::max(table.simpleWidth, f.textLength);
      }
    }
  }

private:
  using Keys = std::vector<std::pair<std::string, std::uint32_t>>;

  // The node for the keys [lo, hi), which share their first `depth` bytes.
  std::uint32_t BuildNode(const Keys& keys, std::size_t lo, std::size_t hi, std::size_t depth) {
    const auto index = static_cast<std::uint32_t>(d_.nodes_.size());
    d_.nodes_.emplace_back();
    std::size_t i = lo;
    if (i < hi && keys[i].first.size() == depth) d_.nodes_[index].entry = keys[i++].second;
    struct Group {
      unsigned char byte;
      std::size_t lo, hi;
    };
    std::vector<Group> groups;
    while (i < hi) {
      const auto c = static_cast<unsigned char>(keys[i].first[depth]);
      std::size_t j = i + 1;
      while (j < hi && static_cast<unsigned char>(keys[j].first[depth]) == c) ++j;
      groups.push_back({c, i, j});
      i = j;
    }
    if (groups.empty()) return index;
    const bool dense = groups.size() > kDenseFrom;
    const auto at = static_cast<std::uint32_t>(d_.children_.size());
    const std::size_t slots = dense ? 256 : groups.size();
    d_.children_.resize(at + slots, kNone);
    d_.childBytes_.resize(at + slots, 0);
    if (dense) {
      for (std::size_t b = 0; b < 256; ++b) d_.childBytes_[at + b] = static_cast<unsigned char>(b);
    }
    Node& node = d_.nodes_[index];
    node.childAt = at;
    node.childCount = static_cast<std::uint16_t>(groups.size());
    node.dense = dense;
    for (std::size_t k = 0; k < groups.size(); ++k) {
      const Group& g = groups[k];
      const std::uint32_t child = BuildNode(keys, g.lo, g.hi, depth + 1);
      const std::size_t slot = at + (dense ? g.byte : k);
      d_.children_[slot] = child;
      d_.childBytes_[slot] = g.byte;
    }
    return index;
  }

  Decoder& d_;
  std::vector<Keys> keys_;
  std::vector<std::unordered_set<std::string>> seen_;
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
    if (b.Claim(t, key)) b.Add(t, key, b.Text(text));
  }
  b.Finish();
  return d;
}

Decoder Decoder::FromTfs(const TfsDocument& doc, std::size_t logicalTable) {
  Decoder d;
  Builder b(d);
  const std::vector<TfsTable>& tables = doc.tables();
  for (std::size_t t = 0; t < tables.size(); ++t) b.AddTable();
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
      if (!b.Claim(t, key)) continue;
      const std::string_view text = doc.text(i);
      switch (doc.kind(i)) {
        case TfsLineKind::Normal: b.Add(t, key, b.Text(text)); break;
        case TfsLineKind::EndToken: b.Add(t, key, b.Break(text, PieceKind::EndToken)); break;
        case TfsLineKind::Newline: b.Add(t, key, b.Break(text, PieceKind::Newline)); break;
        case TfsLineKind::ControlCode: b.Add(t, key, b.Control(text)); break;
        case TfsLineKind::TableSwitch: {
          const TfsTableSwitch s = ParseTableSwitch(text);
          const std::uint32_t target = s.understood ? tableNamed(s.target) : kNone;
          if (target == kNone) break;
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
    if (b.Claim(t, key)) b.Add(t, key, b.Break({}, kind));
  };
  addBreak(table.LineBreakValue1, PieceKind::Newline);
  addBreak(table.LineBreakValue2, PieceKind::Newline);
  addBreak(table.StringBreakValue1, PieceKind::EndToken);
  addBreak(table.StringBreakValue2, PieceKind::EndToken);
  for (int i = 0; i < kEntryCount; ++i) {
    const std::string& text = table.EntryText[i];
    const std::string key(1, static_cast<char>(i));
    if (!text.empty() && b.Claim(t, key)) b.Add(t, key, b.Text(text));
  }
  for (std::string_view line : table.SixteenBitEntries) {
    if (line.size() < 5 || line[4] != '=') continue;
    const std::optional<std::string> key = HexKey(EntryLineNumber(line));
    if (key && b.Claim(t, *key)) b.Add(t, *key, b.Text(EntryLineValue(line)));
  }
  b.Finish();
  return d;
}

Decoder::Cursor Decoder::Start(std::uint64_t at) const {
  Cursor c;
  c.at = at;
  c.frames_.push_back({start_});
  return c;
}

std::uint32_t Decoder::Child(std::uint32_t node, unsigned char byte) const {
  const Node& n = nodes_[node];
  if (n.dense) return children_[n.childAt + byte];
  for (std::uint32_t k = 0; k < n.childCount; ++k) {
    if (childBytes_[n.childAt + k] == byte) return children_[n.childAt + k];
  }
  return kNone;
}

std::pair<std::uint32_t, std::size_t> Decoder::Longest(const Table& table, const unsigned char* data,
                                                       std::size_t at, std::size_t end) const {
  std::uint32_t node = table.first[data[at]].node;
  std::uint32_t best = kNone;
  std::size_t bestLength = 0;
  for (std::size_t depth = 1; node != kNone; ++depth) {
    const Node& n = nodes_[node];
    // A control code whose parameters run past the end does not match.
    if (n.entry != kNone && at + depth + entries_[n.entry].paramCount <= end) {
      best = n.entry;
      bestLength = depth;
    }
    if (n.childCount == 0 || at + depth >= end) break;
    node = Child(node, data[at + depth]);
  }
  return {best, bestLength};
}

template <typename Sink>
void Decoder::Write(const Entry& e, const unsigned char* parameters, Sink& sink) const {
  std::size_t room = e.headLength + e.tailLength + 5 * e.paramCount;
  for (std::uint32_t k = 0; k < e.paramCount && !e.linkedStyle; ++k)
    room += 5 * params_[e.firstParam + k].length + 8;
  char* w = sink.Room(room);
  w = std::copy_n(pool_.data() + e.headAt, e.headLength, w);
  for (std::uint32_t k = 0; k < e.paramCount; ++k) {
    if (e.linkedStyle) {
      w = PutRaw(w, parameters[k], e.linkedStyle);
    } else {
      const Param& p = params_[e.firstParam + k];
      w = PutParameter(w, std::string_view(pool_.data() + p.at, p.length), p.placeholder, parameters[k]);
    }
  }
  w = std::copy_n(pool_.data() + e.tailAt, e.tailLength, w);
  sink.Done(w);
}

template <typename Sink>
void Decoder::Run(std::string_view data, Cursor& c, std::uint64_t stopAt, Sink& sink,
                  std::vector<DecodedPiece>* pieces) const {
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  const std::size_t end = data.size();
  const std::size_t stop = static_cast<std::size_t>(std::min<std::uint64_t>(stopAt, end));
  std::vector<Cursor::Frame>& frames = c.frames_;
  if (frames.empty()) frames.push_back({start_});
  // Frames whose count of matches is used up fall back to the table below.
  auto popFinished = [&] {
    while (frames.size() > 1 && frames.back().count > 0 && frames.back().matches >= frames.back().count)
      frames.pop_back();
  };
  std::size_t p = static_cast<std::size_t>(c.at);
  while (p < stop && sink.ok()) {
    if (!pieces && frames.size() == 1) {
      const Table& t = tables_[frames[0].table];
      const std::size_t blockEnd = std::min(stop, p + kBlock);
      char* w = sink.Room((blockEnd - p) * t.simpleWidth + sizeof t.first[0].text);
      while (p < blockEnd) {
        const First& f = t.first[d[p]];
        if (!f.simple) break;
        std::memcpy(w, f.text, sizeof f.text);
        w += f.textLength;
        ++p;
      }
      sink.Done(w);
      if (p == blockEnd) continue;
    }

    const std::uint64_t textAt = sink.Size();
    std::size_t taken = 0;
    PieceKind kind = PieceKind::Raw;
    const Cursor::Frame top = frames.back();
    const Entry* switched = frames.size() > 1 ? &entries_[top.switchEntry] : nullptr;
    // A table switched to until its switch comes again ends there.
    if (top.count == -1 && switched->keyLength <= end - p &&
        std::memcmp(d + p, pool_.data() + switched->keyAt, switched->keyLength) == 0) {
      frames.pop_back();
      popFinished();
      taken = switched->keyLength;
      kind = PieceKind::TableSwitch;
    } else {
      const auto [entry, keyLength] = Longest(tables_[top.table], d, p, end);
      if (entry == kNone && top.count == 0 && frames.size() > 1) {
        // Nothing matches in a table switched to until that happens: the
        // table below tries the same byte.
        frames.pop_back();
        continue;
      }
      if (entry == kNone) {
        char* w = sink.Room(5);
        sink.Done(PutRaw(w, d[p], '['));
        taken = 1;
        // A raw byte leaves every switched table, as an inserter reading
        // "[$XX]" would.
        frames.resize(1);
      } else {
        const Entry& e = entries_[entry];
        Write(e, d + p + keyLength, sink);
        taken = keyLength + e.paramCount;
        kind = e.kind;
        if (frames.size() > 1) ++frames.back().matches;
        if (e.kind == PieceKind::TableSwitch) {
          if (frames.size() >= kMaxFrames) frames.erase(frames.begin() + 1);
          frames.push_back({e.target, entry, e.count, 0});
        } else {
          popFinished();
        }
      }
    }
    if (pieces) {
      pieces->push_back({p, textAt, static_cast<std::uint32_t>(taken),
                         static_cast<std::uint32_t>(sink.Size() - textAt), kind});
    }
    p += taken;
  }
  c.at = p;
}

void Decoder::Decode(std::string_view data, Cursor& cursor, std::uint64_t stopAt, std::string& out,
                     std::vector<DecodedPiece>* pieces) const {
  StringSink sink(out);
  Run(data, cursor, stopAt, sink, pieces);
}

std::string Decoder::Decode(std::string_view data) const {
  std::string out;
  Cursor c = Start(0);
  Decode(data, c, data.size(), out);
  return out;
}

bool Decoder::Stream(std::string_view data, const std::function<bool(std::string_view)>& write) const {
  BufferSink sink(write);
  Cursor c = Start(0);
  Run(data, c, data.size(), sink, nullptr);
  return sink.Flush();
}

}  // namespace mojihyo
