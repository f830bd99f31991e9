#include "tools/decode_window.h"

#include <algorithm>
#include <iterator>

namespace mojihyo {

namespace {

// A decode's pieces and text from the first piece that ends after `from`.
void DropBefore(DecodedSpan& span, std::uint64_t from) {
  auto& pieces = span.pieces;
  const auto first = std::find_if(pieces.begin(), pieces.end(),
                                  [&](const DecodedPiece& p) { return p.end() > from; });
  const std::uint64_t cut = first == pieces.end() ? span.text.size() : first->textAt;
  pieces.erase(pieces.begin(), first);
  span.text.erase(0, static_cast<std::size_t>(cut));
  for (DecodedPiece& p : pieces) p.textAt -= cut;
}

// The piece whose text holds byte `at` of the text; pieces follow one
// another in the text without gaps.
std::vector<DecodedPiece>::const_iterator PieceAtText(const std::vector<DecodedPiece>& pieces,
                                                      std::uint64_t at) {
  return std::partition_point(pieces.begin(), pieces.end(), [&](const DecodedPiece& p) {
    return p.textAt + p.textLength <= at;
  });
}

}  // namespace

DecodedSpan DecodeAround(const Decoder& decoder, std::string_view data, std::uint64_t anchor,
                         std::uint64_t from, std::uint64_t to) {
  DecodedSpan span;
  const std::uint64_t size = data.size();
  to = std::min(to, size);
  anchor = std::min(anchor, size);
  if (from >= to) return span;
  auto run = [&](std::uint64_t start, std::uint64_t end, std::uint64_t stop) {
    Decoder::Cursor c = decoder.Start(start);
    decoder.Decode(data.substr(0, static_cast<std::size_t>(end)), c, stop, span.text, &span.pieces);
  };
  if (from >= anchor) {
    const std::uint64_t block = (from - anchor) / kDecodeBlock;
    run(anchor + (block > 0 ? block - 1 : 0) * kDecodeBlock, size, to);
  } else {
    const std::uint64_t block = (anchor - 1 - from) / kDecodeBlock;  // 0: the block just before
    const std::uint64_t back = (block + 2) * kDecodeBlock;
    run(anchor > back ? anchor - back : 0, anchor, std::min(to, anchor));
    if (to > anchor) run(anchor, size, to);
  }
  DropBefore(span, from);
  return span;
}

Coverage CoverageOf(const std::vector<DecodedPiece>& pieces, std::string_view data,
                    std::uint64_t from, std::uint64_t to) {
  Coverage c;
  to = std::min<std::uint64_t>(to, data.size());
  if (from >= to) return c;
  c.bytes = to - from;
  for (const DecodedPiece& p : pieces) {
    const std::uint64_t a = std::max(p.at, from), b = std::min(p.end(), to);
    if (a >= b) continue;
    if (p.kind == PieceKind::Raw) {
      ++c.undecoded[static_cast<unsigned char>(data[static_cast<std::size_t>(p.at)])];
    } else {
      c.decoded += b - a;
    }
  }
  return c;
}

std::vector<std::pair<int, std::uint64_t>> UndecodedByFrequency(const Coverage& coverage) {
  std::vector<std::pair<int, std::uint64_t>> values;
  for (int v = 0; v < 256; ++v) {
    if (coverage.undecoded[static_cast<std::size_t>(v)] > 0)
      values.emplace_back(v, coverage.undecoded[static_cast<std::size_t>(v)]);
  }
  std::stable_sort(values.begin(), values.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  return values;
}

std::optional<ByteRange> FindDecodedText(const Decoder& decoder, std::string_view data,
                                         std::uint64_t from, std::string_view needle) {
  if (needle.empty()) return std::nullopt;
  // The text is searched as it comes, without its pieces, which the fast
  // decode does not make; where each step of it started is kept, so that
  // the step a hit starts in can be decoded again with its pieces.
  struct Mark {
    Decoder::Cursor cursor;
    std::size_t textAt;
  };
  auto markAt = [](std::vector<Mark>& marks, std::size_t textAt) {
    return std::prev(std::upper_bound(marks.begin(), marks.end(), textAt,
                                      [](std::size_t t, const Mark& m) { return t < m.textAt; }));
  };
  std::vector<Mark> marks;
  std::string text;
  Decoder::Cursor c = decoder.Start(from);
  std::size_t searchFrom = 0;
  while (c.at < data.size()) {
    marks.push_back({c, text.size()});
    decoder.Decode(data, c, std::min<std::uint64_t>(data.size(), c.at + kFindChunk), text);
    if (const std::size_t hit = text.find(needle, searchFrom); hit != std::string::npos) {
      const auto mark = markAt(marks, hit);
      DecodedSpan again;
      Decoder::Cursor replay = mark->cursor;
      decoder.Decode(data, replay, c.at, again.text, &again.pieces);
      const std::size_t at = hit - mark->textAt;
      const auto first = PieceAtText(again.pieces, at);
      const auto last = PieceAtText(again.pieces, at + needle.size() - 1);
      return ByteRange{first->at, last->end()};
    }
    // Only a needle that starts in the last few bytes may still be found,
    // once the next text comes.
    const std::size_t keep = text.size() - std::min(text.size(), needle.size() - 1);
    const auto mark = markAt(marks, keep);
    const std::size_t cut = mark->textAt;
    marks.erase(marks.begin(), mark);
    text.erase(0, cut);
    for (Mark& m : marks) m.textAt -= cut;
    searchFrom = keep - cut;
  }
  return std::nullopt;
}

}  // namespace mojihyo
