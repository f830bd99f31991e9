#include "tfs/tfs_document.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace mojihyo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::uint32_t kNoLine = 0xFFFFFFFFu;
constexpr std::size_t kMaxPool = 0xFFFFFFF0u;

std::uint64_t KeyHash(std::size_t table, const TfsKey& key) {
  std::uint64_t h = 1469598103934665603ULL ^ (table * 0x9E3779B97F4A7C15ULL) ^ key.bits;
  for (unsigned char c : key.bytes) h = (h ^ c) * 1099511628211ULL;
  return h ^ (h >> 29);
}

}  // namespace

TfsDocument::TfsDocument(std::string bytes) : pool_(std::move(bytes)) {
  if (pool_.size() >= kMaxPool) throw std::length_error("a table file of 4 GiB or more");
  const char* const base = pool_.data();
  const std::size_t n = pool_.size();
  std::size_t p = 0;
  if (pool_.starts_with(kBom)) {
    bom_ = true;
    p = kBom.size();
  }
  const bool anyCr = std::memchr(base + p, '\r', n - p) != nullptr;
  // Counting first spares the record list any regrowth, which would briefly
  // need half as much memory again.
  std::size_t count = static_cast<std::size_t>(std::count(base + p, base + n, '\n')) + 1;
  if (anyCr) count += static_cast<std::size_t>(std::count(base + p, base + n, '\r'));
  lines_.reserve(count);
  while (p < n) {
    std::size_t q;
    if (anyCr) {
      q = p;
      while (q < n && base[q] != '\r' && base[q] != '\n') ++q;
    } else {
      const void* lf = std::memchr(base + p, '\n', n - p);
      q = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : n;
    }
    LineEnd end = LineEnd::None;
    std::size_t next = q;
    if (q < n) {
      if (base[q] == '\n') {
        end = LineEnd::Lf;
        next = q + 1;
      } else if (q + 1 < n && base[q + 1] == '\n') {
        end = LineEnd::CrLf;
        next = q + 2;
      } else {
        end = LineEnd::Cr;
        next = q + 1;
      }
    }
    lines_.push_back(Parsed(static_cast<std::uint32_t>(p), static_cast<std::uint32_t>(q - p), end));
    p = next;
  }
  size_ = pool_.size();
  Reindex();
}

TfsDocument::Record TfsDocument::Parsed(std::uint32_t start, std::uint32_t length,
                                        LineEnd end) const {
  const TfsLineParse parse = ParseTfsLine({pool_.data() + start, length});
  Record r;
  r.start = start;
  r.length = length;
  r.end = end;
  if (parse.keyAt > 0xFFFF || parse.keyLength > 0xFFFF) {
    r.kind = TfsLineKind::Unparsed;
    return r;
  }
  r.keyAt = static_cast<std::uint16_t>(parse.keyAt);
  r.keyLength = static_cast<std::uint16_t>(parse.keyLength);
  r.kind = parse.kind;
  r.hasText = parse.textAt != kNoText;
  if (parse.keyLength > 0) {
    const bool binary = pool_[start + parse.keyAt] == '%';
    const std::size_t bits = binary ? parse.keyLength - 1 : (parse.keyLength + 1) / 2 * 8;
    if (bits % 8 == 0 && bits / 8 <= 255) r.keyWidth = static_cast<std::uint8_t>(bits / 8);
  }
  return r;
}

std::size_t TfsDocument::tableOf(std::size_t i) const {
  auto it = std::upper_bound(tables_.begin(), tables_.end(), i,
                             [](std::size_t line, const TfsTable& t) { return line < t.first; });
  return it == tables_.begin() ? 0 : static_cast<std::size_t>(it - tables_.begin()) - 1;
}

void TfsDocument::Reindex() {
  indexed_ = false;
  const std::size_t n = lines_.size();
  std::size_t firstAt = n;
  bool entryBefore = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (lines_[i].kind == TfsLineKind::TableId) {
      firstAt = i;
      break;
    }
    entryBefore = entryBefore || IsKeyedKind(lines_[i].kind);
  }
  tables_.clear();
  if (firstAt == n || entryBefore) tables_.push_back(TfsTable{false, 0, 0, n});
  for (std::size_t i = firstAt; i < n; ++i) {
    if (lines_[i].kind == TfsLineKind::TableId) {
      if (!tables_.empty()) tables_.back().end = i;
      tables_.push_back(TfsTable{true, i, tables_.empty() ? 0 : i, n});
    }
  }
}

void TfsDocument::BuildKeyIndex() const {
  std::size_t keyed = 0;
  for (const Record& r : lines_) keyed += r.keyLength > 0;
  std::size_t capacity = 16;
  while (capacity < keyed * 2) capacity *= 2;
  slots_.assign(capacity, kNoLine);
  next_.assign(lines_.size(), kNoLine);
  const std::size_t mask = capacity - 1;
  // From the last line back, so that each slot ends on the first line with
  // its key and every chain runs in file order.
  for (std::size_t table = tables_.size(); table-- > 0;) {
    const TfsTable& t = tables_[table];
    for (std::size_t i = t.end; i-- > t.first;) {
      if (lines_[i].keyLength == 0) continue;
      const TfsKey key = this->key(i);
      for (std::size_t s = KeyHash(table, key) & mask;; s = (s + 1) & mask) {
        const std::uint32_t j = slots_[s];
        if (j == kNoLine) {
          slots_[s] = static_cast<std::uint32_t>(i);
          break;
        }
        if (j >= t.first && j < t.end && this->key(j) == key) {
          next_[i] = j;
          slots_[s] = static_cast<std::uint32_t>(i);
          break;
        }
      }
    }
  }
  indexed_ = true;
}

std::optional<std::size_t> TfsDocument::FindKey(std::size_t table, const TfsKey& key) const {
  if (!indexed_) BuildKeyIndex();
  if (table >= tables_.size()) return std::nullopt;
  const TfsTable& t = tables_[table];
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = KeyHash(table, key) & mask;; s = (s + 1) & mask) {
    const std::uint32_t j = slots_[s];
    if (j == kNoLine) return std::nullopt;
    if (j >= t.first && j < t.end && this->key(j) == key) return j;
  }
}

std::optional<std::size_t> TfsDocument::NextWithSameKey(std::size_t line) const {
  if (!indexed_) BuildKeyIndex();
  if (next_[line] == kNoLine) return std::nullopt;
  return next_[line];
}

LineEnd TfsDocument::DominantLineEnd() const {
  std::size_t lf = 0, crlf = 0, cr = 0;
  for (const Record& r : lines_) {
    lf += r.end == LineEnd::Lf;
    crlf += r.end == LineEnd::CrLf;
    cr += r.end == LineEnd::Cr;
  }
  if (lf >= crlf && lf >= cr) return LineEnd::Lf;
  return crlf >= cr ? LineEnd::CrLf : LineEnd::Cr;
}

std::uint32_t TfsDocument::Store(std::string_view bytes) {
  if (!bytes.empty() && bytes.data() >= pool_.data() &&
      bytes.data() < pool_.data() + pool_.size()) {
    const std::string copy(bytes);
    return Store(copy);
  }
  if (pool_.size() + bytes.size() >= kMaxPool) throw std::length_error("a table of 4 GiB or more");
  const auto start = static_cast<std::uint32_t>(pool_.size());
  pool_.append(bytes);
  return start;
}

void TfsDocument::SetLine(std::size_t i, std::string_view bytes) {
  Record& r = lines_[i];
  garbage_ += r.length;
  const std::uint32_t start = Store(bytes);
  lines_[i] = Parsed(start, static_cast<std::uint32_t>(bytes.size()), lines_[i].end);
  Reindex();
  CountSize();
  CompactIfWasteful();
}

void TfsDocument::SetText(std::size_t i, std::string_view text) {
  const Record& r = lines_[i];
  const std::string_view old = line(i);
  std::string bytes(old.substr(0, r.hasText ? r.textAt() : old.size()));
  if (!r.hasText) bytes.push_back('=');
  bytes.append(text);
  SetLine(i, bytes);
}

void TfsDocument::SetKeySpelling(std::size_t i, std::string_view spelling) {
  const Record& r = lines_[i];
  const std::string_view old = line(i);
  std::string bytes(old.substr(0, r.keyAt));
  bytes.append(spelling);
  bytes.append(old.substr(r.keyAt + r.keyLength));
  SetLine(i, bytes);
}

void TfsDocument::FixEnds(bool finalEnd, LineEnd dominant) {
  if (lines_.empty()) return;
  for (std::size_t i = 0; i + 1 < lines_.size(); ++i) {
    if (lines_[i].end == LineEnd::None) lines_[i].end = dominant;
  }
  if (!finalEnd) {
    lines_.back().end = LineEnd::None;
  } else if (lines_.back().end == LineEnd::None) {
    lines_.back().end = dominant;
  }
}

void TfsDocument::RemoveLine(std::size_t i) {
  TfsEdits edits;
  edits.removals.push_back(i);
  Apply(edits);
}

std::size_t TfsDocument::AppendPosition(std::size_t table) const {
  const TfsTable& t = tables_[table];
  for (std::size_t j = t.end; j-- > t.first;) {
    if (IsKeyedKind(lines_[j].kind)) return j + 1;
  }
  if (t.named) return t.idLine + 1;
  for (std::size_t j = t.end; j-- > t.first;) {
    if (lines_[j].kind != TfsLineKind::Blank) return j + 1;
  }
  return t.first;
}

std::size_t TfsDocument::AppendToTable(std::size_t table, std::string_view bytes) {
  const std::size_t at = AppendPosition(table);
  TfsEdits edits;
  edits.table = table;
  edits.appends.emplace_back(bytes);
  Apply(edits);
  return at;
}

void TfsDocument::Apply(const TfsEdits& edits) {
  if (edits.empty()) return;
  const LineEnd dominant = DominantLineEnd();
  // An empty file gains a final line end; a file without one keeps it so.
  const bool finalEnd = lines_.empty() || lines_.back().end != LineEnd::None;
  for (const TfsEdits::Rewrite& w : edits.rewrites) {
    garbage_ += lines_[w.line].length;
    const std::uint32_t start = Store(w.bytes);
    lines_[w.line] = Parsed(start, static_cast<std::uint32_t>(w.bytes.size()), lines_[w.line].end);
  }
  std::vector<bool> removed(lines_.size(), false);
  for (std::size_t i : edits.removals) {
    if (!removed[i]) garbage_ += lines_[i].length;
    removed[i] = true;
  }
  const std::size_t at = edits.appends.empty() ? lines_.size() : AppendPosition(edits.table);
  std::vector<Record> added;
  added.reserve(edits.appends.size());
  for (const std::string& bytes : edits.appends) {
    const std::uint32_t start = Store(bytes);
    added.push_back(Parsed(start, static_cast<std::uint32_t>(bytes.size()), dominant));
  }
  // Inserts, by the line they go before.
  std::vector<std::pair<std::size_t, Record>> inserted;
  inserted.reserve(edits.inserts.size());
  for (const TfsEdits::Insert& in : edits.inserts) {
    const std::uint32_t start = Store(in.bytes);
    inserted.emplace_back(std::min(in.before, lines_.size()),
                          Parsed(start, static_cast<std::uint32_t>(in.bytes.size()), dominant));
  }
  std::stable_sort(inserted.begin(), inserted.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Record> lines;
  lines.reserve(lines_.size() - edits.removals.size() + added.size() + inserted.size());
  std::size_t next = 0;  // the first insert not placed yet
  for (std::size_t i = 0; i <= lines_.size(); ++i) {
    for (; next < inserted.size() && inserted[next].first == i; ++next)
      lines.push_back(inserted[next].second);
    if (i == at) lines.insert(lines.end(), added.begin(), added.end());
    if (i < lines_.size() && !removed[i]) lines.push_back(lines_[i]);
  }
  lines_ = std::move(lines);
  FixEnds(finalEnd, dominant);
  Reindex();
  CountSize();
  CompactIfWasteful();
}

void TfsDocument::CompactIfWasteful() {
  if (garbage_ < 4096 || garbage_ * 2 < pool_.size()) return;
  std::string pool;
  pool.reserve(pool_.size() - garbage_ + kBom.size());
  if (bom_) pool.append(kBom);
  for (Record& r : lines_) {
    const auto start = static_cast<std::uint32_t>(pool.size());
    pool.append(pool_, r.start, r.length);
    r.start = start;
  }
  pool_ = std::move(pool);
  garbage_ = 0;
}

void TfsDocument::CountSize() {
  size_ = bom_ ? kBom.size() : 0;
  for (const Record& r : lines_) size_ += r.length + LineEndBytes(r.end).size();
}

template <typename Put>
void TfsDocument::Emit(Put put) const {
  if (bom_) put(kBom.data(), kBom.size());
  // Lines still where the file had them are followed by their own ends in
  // the buffer: runs of them go out in one piece.
  const char* const pool = pool_.data();
  std::size_t runStart = 0, runEnd = 0;  // pool bytes not yet put out
  auto flush = [&] {
    if (runEnd > runStart) put(pool + runStart, runEnd - runStart);
    runStart = runEnd = 0;
  };
  for (const Record& r : lines_) {
    if (runEnd == runStart || r.start != runEnd) {
      flush();
      runStart = runEnd = r.start;
    }
    runEnd += r.length;
    const std::string_view end = LineEndBytes(r.end);
    const bool follows = runEnd + end.size() <= pool_.size() &&
                         (end.empty() || (pool[runEnd] == end[0] &&
                                          (end.size() == 1 || pool[runEnd + 1] == end[1])));
    if (follows) {
      runEnd += end.size();
    } else {
      flush();
      if (!end.empty()) put(end.data(), end.size());
    }
  }
  flush();
}

std::string TfsDocument::Serialize() const {
  std::string out;
  out.resize(SerializedSize());
  char* w = out.data();
  Emit([&](const char* bytes, std::size_t n) {
    std::memcpy(w, bytes, n);
    w += n;
  });
  return out;
}

void TfsDocument::WriteTo(ByteSink& sink) const {
  sink.Reserve(SerializedSize());
  Emit([&](const char* bytes, std::size_t n) { sink.Write(std::string_view(bytes, n)); });
}

bool TfsDocument::operator==(const TfsDocument& other) const {
  if (bom_ != other.bom_ || lines_.size() != other.lines_.size()) return false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].end != other.lines_[i].end || line(i) != other.line(i)) return false;
  }
  return true;
}

}  // namespace mojihyo
