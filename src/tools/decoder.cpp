// Running a decoder over bytes: the fast loop for texts in the starting
// table, and the steps that control codes, table switches and pieces need.

#include "tools/decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

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
  std::size_t room = e.headLength + e.tailLength + 5 * std::size_t{e.paramCount};
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
    const Second* const seconds = seconds_.data() + t.secondBase;
    while (p < run) {
      const Slot& f = firstSlots[d[p]];
      if (f.simple) {
        std::memcpy(w, f.text, sizeof f.text);
        w += f.textLength;
        ++p;
        continue;
      }
      const Second& second = seconds[(std::size_t{f.secondBlock} << 8) + d[p + 1]];
      if (second.flags == Second::kDone) {
        std::memcpy(w, &second, sizeof second);
        w += second.textLength;
        p += 2;
        continue;
      }
      if (second.flags == Second::kMore) break;
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
        // table below tries the same byte, unless its own count was used up
        // by the switch that led here.
        frames.pop_back();
        popFinished();
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
