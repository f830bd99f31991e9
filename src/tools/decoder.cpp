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
#include <memory>
#include <optional>
#include <unordered_set>

namespace mojihyo {

namespace {

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
    std::vector<std::uint32_t> roots;
    for (std::size_t t = 0; t < keys_.size(); ++t) {
      auto& keys = keys_[t];
      std::sort(keys.begin(), keys.end());
      roots.push_back(BuildNode(keys, 0, keys.size(), 0));
    }
    for (Node& n : d_.nodes_) Describe(n);
    for (Slot& slot : d_.slots_) Fill(slot);
    for (std::size_t t = 0; t < keys_.size(); ++t) {
      const Node& root = d_.nodes_[roots[t]];
      Table& table = d_.tables_[t];
      for (int b = 0; b < 256; ++b) {
        table.secondAt[b] = kNone;
        const Slot* child = d_.Child(root, static_cast<unsigned char>(b));
        if (!child) continue;
        table.first[b] = *child;
        const Node& n = d_.nodes_[child->node];
        if (n.childCount == 0) continue;
        table.secondAt[b] = static_cast<std::uint32_t>(d_.seconds_.size());
        d_.seconds_.resize(d_.seconds_.size() + 256);
        for (int c = 0; c < 256; ++c) {
          const Slot* slot = d_.Child(n, static_cast<unsigned char>(c));
          if (!slot) continue;
          Second& second = d_.seconds_[table.secondAt[b] + static_cast<std::uint32_t>(c)];
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

std::pair<std::uint32_t, std::size_t> Decoder::Longest(const Table& table, const unsigned char* data,
                                                       std::size_t at, std::size_t end) const {
  std::uint32_t node = table.first[data[at]].node;
  std::uint32_t best = kNone;
  std::size_t bestLength = 0;
  for (std::size_t depth = 1; node != kNone; ++depth) {
    const Node& n = nodes_[node];
    // A control code whose parameters run past the end does not match.
    if (n.entry != kNone && at + depth + n.paramCount <= end) {
      best = node;
      bestLength = depth;
    }
    if (n.childCount == 0 || at + depth >= end) break;
    const Slot* child = Child(n, data[at + depth]);
    node = child ? child->node : kNone;
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
std::size_t Decoder::RunPlain(const Table& t, const unsigned char* d, std::size_t p, std::size_t stop,
                              std::size_t end, Sink& sink) const {
  // Room is asked for a run at a time; a short text is copied as eight
  // bytes, and longer ones ask for room of their own.
  constexpr std::size_t kRun = 16 * 1024;
  char* w = sink.Room(kRun);
  char* limit = w + kRun;
  auto put = [&](std::uint32_t at, std::uint32_t length) {
    if (length + 16 > static_cast<std::size_t>(limit - w)) {
      sink.Done(w);
      w = sink.Room(length + kRun);
      limit = w + length + kRun;
    }
    w = std::copy_n(pool_.data() + at, length, w);
  };
  while (p < stop) {
    if (limit - w < 64) {
      sink.Done(w);
      if (!sink.ok()) return p;
      w = sink.Room(kRun);
      limit = w + kRun;
    }
    // Keys of one or two bytes with short texts, for as long as the room
    // lasts. A first byte that leads longer keys looks at the second
    // byte's slot: a two-byte key ends there, or none starts there and the
    // first byte's own entry is the longest. The tables are read through
    // locals, which the text written cannot be taken to overwrite.
    const std::size_t run =
        std::min({stop, end - 1, p + static_cast<std::size_t>(limit - w - 16) / sizeof(Slot::text)});
    const Slot* const firstSlots = t.first;
    const std::uint32_t* const secondAt = t.secondAt;
    const Second* const seconds = seconds_.data();
    while (p < run) {
      const unsigned first = d[p];
      const Slot& f = firstSlots[first];
      if (f.simple) {
        std::memcpy(w, f.text, sizeof f.text);
        w += f.textLength;
        ++p;
        continue;
      }
      if (const std::uint32_t at = secondAt[first]; at != kNone) {
        const Second& second = seconds[at + d[p + 1]];
        if (second.flags == Second::kDone) {
          std::memcpy(w, &second, sizeof second);
          w += second.textLength;
          p += 2;
          continue;
        }
        if (second.flags == Second::kMore) break;
      }
      if (!f.shortText) break;
      std::memcpy(w, f.text, sizeof f.text);
      w += f.textLength;
      ++p;
    }
    if (p >= run && p + 1 < end) continue;
    if (p >= stop) break;
    const auto [node, keyLength] = Longest(t, d, p, end);
    if (node == kNone) {
      w = PutRaw(w, d[p], '[');
      ++p;
      continue;
    }
    const Node& n = nodes_[node];
    if (!n.plain) break;
    put(n.textAt, n.textLength);
    p += keyLength;
  }
  sink.Done(w);
  return p;
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
    // Most of a file is texts in the starting table: they need no steps.
    if (!pieces && frames.size() == 1) {
      p = RunPlain(tables_[frames[0].table], d, p, stop, end, sink);
      if (p >= stop || !sink.ok()) break;
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
      const auto [node, keyLength] = Longest(tables_[top.table], d, p, end);
      if (node == kNone && top.count == 0 && frames.size() > 1) {
        // Nothing matches in a table switched to until that happens: the
        // table below tries the same byte.
        frames.pop_back();
        continue;
      }
      if (node == kNone) {
        char* w = sink.Room(5);
        sink.Done(PutRaw(w, d[p], '['));
        taken = 1;
        // A raw byte leaves every switched table, as an inserter reading
        // "[$XX]" would.
        frames.resize(1);
      } else {
        const std::uint32_t entry = nodes_[node].entry;
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
