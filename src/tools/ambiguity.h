#pragma once

// Whether a table's entries let a script go out and come back unchanged. A
// dumper reads bytes by taking, at each point, the longest key that matches;
// an inserter writes text by taking, at each point, the longest text that
// matches. Two searches look for what goes wrong: the shortest bytes whose
// dump an insertion writes differently, and (Sardinas and Patterson's test)
// two different runs of entries that spell the same text. Both are bounded,
// and say so when a bound stopped them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mojihyo {

// One keyed line of a logical table as the searches see it.
struct CodeEntry {
  std::string key;   // bytes
  std::string text;  // bytes
  std::size_t line = 0;
  // Whether a dump yields the text and an insertion may write the key: a
  // normal entry with a text. End tokens, control codes and entries with an
  // empty text still take part in the dumper's longest match.
  bool token = true;
};

struct AmbiguityLimits {
  std::size_t states = 200'000;    // states of the dump-and-insert search
  std::size_t steps = 8'000'000;   // entries tried from those states
  std::size_t suffixes = 200'000;  // dangling suffixes of the unique-decoding test
};

// A byte trie with its edges in one hash map.
class ByteTrie {
public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  ByteTrie() : nodes_(1) {}
  std::uint32_t Insert(std::string_view bytes);  // the node the bytes end at
  std::uint32_t Child(std::uint32_t node, unsigned char b) const {
    auto it = edges_.find(static_cast<std::uint64_t>(node) << 8 | b);
    return it == edges_.end() ? kNone : it->second;
  }
  const std::vector<unsigned char>& Children(std::uint32_t node) const { return nodes_[node].children; }
  std::uint32_t size() const { return static_cast<std::uint32_t>(nodes_.size()); }

private:
  struct Node {
    std::vector<unsigned char> children;
  };
  std::vector<Node> nodes_;
  std::unordered_map<std::uint64_t, std::uint32_t> edges_;
};

// The entries of one logical table with their two tries.
class Code {
public:
  static constexpr std::uint32_t kNone = ByteTrie::kNone;
  explicit Code(std::vector<CodeEntry> entries);

  const std::vector<CodeEntry>& entries() const { return entries_; }
  // Entries a dump yields, in the order given.
  const std::vector<std::uint32_t>& tokens() const { return tokens_; }
  // The entry an insertion writes for entry `e`'s text: the shortest key,
  // the last of equal length.
  std::uint32_t Chosen(std::uint32_t e) const { return chosen_[e]; }
  bool IsToken(std::uint32_t e) const { return isToken_[e]; }
  // The key trie node entry `e`'s key ends at.
  std::uint32_t KeyNode(std::uint32_t e) const { return keyNode_[e]; }

  // The entries a dumper reads `bytes` as; nothing when a point of them has
  // no key or its longest key is not a token.
  std::optional<std::vector<std::uint32_t>> Dump(std::string_view bytes) const;
  // The entries an insertion writes `text` as, up to where no text matches;
  // `complete` says whether it got to the end.
  std::vector<std::uint32_t> Insert(std::string_view text, bool* complete) const;

  // Tries: every key, and the distinct texts of the tokens.
  const ByteTrie& keys() const { return keys_; }
  const ByteTrie& texts() const { return texts_; }
  // Per key node: the entry whose key ends there, or kNone; whether it is a token.
  std::uint32_t KeyEntry(std::uint32_t node) const { return keyEntry_[node]; }
  // Per text node: the entry an insertion writes for the text ending there, or kNone.
  std::uint32_t TextEntry(std::uint32_t node) const { return textEntry_[node]; }
  // Tokens by the first byte of their key, and by the text node their text
  // ends at.
  const std::vector<std::uint32_t>& ByKeyByte(unsigned char b) const { return byKeyByte_[b]; }
  const std::vector<std::uint32_t>& ByText(std::uint32_t node) const { return byText_[node]; }
  // The text nodes of the insertion's texts in depth-first order, and per
  // node the range of them at or below it.
  const std::vector<std::uint32_t>& TextOrder() const { return textOrder_; }
  std::pair<std::uint32_t, std::uint32_t> TextRange(std::uint32_t node) const { return textRange_[node]; }

private:
  void OrderTexts(std::uint32_t node);

  std::vector<CodeEntry> entries_;
  std::vector<std::uint32_t> tokens_, chosen_, keyNode_;
  std::vector<bool> isToken_;
  ByteTrie keys_, texts_;
  std::vector<std::uint32_t> keyEntry_, textEntry_;
  std::vector<std::vector<std::uint32_t>> byKeyByte_, byText_;
  std::vector<std::uint32_t> textOrder_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> textRange_;
};

// Bytes that dump to a text an insertion writes as other bytes. `dumped`
// are the entries of the bytes; `inserted` the entries the insertion writes,
// up to where it finds no text (`stuck`).
struct RoundTripFailure {
  std::vector<std::uint32_t> dumped, inserted;
  bool stuck = false;
};
struct RoundTripResult {
  std::optional<RoundTripFailure> failure;  // the shortest in bytes
  bool complete = true;                     // false: a limit stopped the search
  std::size_t states = 0;
};
// Entries an insertion cannot tell apart only because they share a text
// count as one: that is reported on its own.
RoundTripResult FindRoundTripFailure(const Code& code, const AmbiguityLimits& limits);

// Two different runs of entries with the same text.
struct SameTextRuns {
  std::vector<std::uint32_t> first, second;
};
struct SameTextResult {
  std::optional<SameTextRuns> runs;
  bool complete = true;
  std::size_t suffixes = 0;
};
// Entries sharing a text count as one here as well.
SameTextResult FindSameTextRuns(const Code& code, const AmbiguityLimits& limits);

}  // namespace mojihyo
