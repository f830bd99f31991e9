#include "tools/ambiguity.h"

#include <algorithm>
#include <unordered_set>

namespace mojihyo {

std::uint32_t ByteTrie::Insert(std::string_view bytes) {
  std::uint32_t node = 0;
  for (unsigned char b : bytes) {
    auto [it, added] = edges_.try_emplace(static_cast<std::uint64_t>(node) << 8 | b, size());
    if (added) {
      nodes_[node].children.push_back(b);
      nodes_.emplace_back();
    }
    node = it->second;
  }
  return node;
}

Code::Code(std::vector<CodeEntry> entries) : entries_(std::move(entries)) {
  const auto n = static_cast<std::uint32_t>(entries_.size());
  chosen_.assign(n, kNone);
  keyNode_.assign(n, kNone);
  isToken_.assign(n, false);
  byKeyByte_.resize(256);
  for (std::uint32_t e = 0; e < n; ++e) {
    if (entries_[e].key.empty()) continue;
    const std::uint32_t node = keys_.Insert(entries_[e].key);
    keyEntry_.resize(keys_.size(), kNone);
    keyNode_[e] = node;
    // A key given twice is the first entry's.
    if (keyEntry_[node] != kNone) continue;
    keyEntry_[node] = e;
    isToken_[e] = entries_[e].token && !entries_[e].text.empty();
    if (isToken_[e]) tokens_.push_back(e);
  }
  for (std::uint32_t e : tokens_) {
    const std::uint32_t node = texts_.Insert(entries_[e].text);
    textEntry_.resize(texts_.size(), kNone);
    const std::uint32_t held = textEntry_[node];
    if (held == kNone || entries_[e].key.size() <= entries_[held].key.size()) textEntry_[node] = e;
    byKeyByte_[static_cast<unsigned char>(entries_[e].key[0])].push_back(e);
  }
  textEntry_.resize(texts_.size(), kNone);
  byText_.resize(texts_.size());
  for (std::uint32_t e : tokens_) {
    std::uint32_t node = 0;
    for (unsigned char b : entries_[e].text) node = texts_.Child(node, b);
    chosen_[e] = textEntry_[node];
    byText_[node].push_back(e);
  }
  textRange_.assign(texts_.size(), {0, 0});
  OrderTexts(0);
}

void Code::OrderTexts(std::uint32_t root) {
  // Depth first without recursion: a text may be thousands of bytes long.
  struct Frame {
    std::uint32_t node;
    std::size_t next;
  };
  std::vector<Frame> stack{{root, 0}};
  textRange_[root].first = 0;
  if (textEntry_[root] != kNone) textOrder_.push_back(root);
  while (!stack.empty()) {
    Frame& f = stack.back();
    const auto& children = texts_.Children(f.node);
    if (f.next == children.size()) {
      textRange_[f.node].second = static_cast<std::uint32_t>(textOrder_.size());
      stack.pop_back();
      continue;
    }
    const std::uint32_t child = texts_.Child(f.node, children[f.next++]);
    textRange_[child].first = static_cast<std::uint32_t>(textOrder_.size());
    if (textEntry_[child] != kNone) textOrder_.push_back(child);
    stack.push_back({child, 0});
  }
}

std::optional<std::vector<std::uint32_t>> Code::Dump(std::string_view bytes) const {
  std::vector<std::uint32_t> out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::uint32_t node = 0, best = kNone;
    std::size_t length = 0;
    for (std::size_t p = pos; p < bytes.size(); ++p) {
      node = keys_.Child(node, static_cast<unsigned char>(bytes[p]));
      if (node == kNone) break;
      if (keyEntry_[node] != kNone) {
        best = keyEntry_[node];
        length = p - pos + 1;
      }
    }
    if (best == kNone || !isToken_[best]) return std::nullopt;
    out.push_back(best);
    pos += length;
  }
  return out;
}

std::vector<std::uint32_t> Code::Insert(std::string_view text, bool* complete) const {
  std::vector<std::uint32_t> out;
  std::size_t pos = 0;
  *complete = true;
  while (pos < text.size()) {
    std::uint32_t node = 0, best = kNone;
    std::size_t length = 0;
    for (std::size_t p = pos; p < text.size(); ++p) {
      node = texts_.Child(node, static_cast<unsigned char>(text[p]));
      if (node == kNone) break;
      if (textEntry_[node] != kNone) {
        best = textEntry_[node];
        length = p - pos + 1;
      }
    }
    if (best == kNone) {
      *complete = false;
      break;
    }
    out.push_back(best);
    pos += length;
  }
  return out;
}

namespace {

// A dangling suffix: the run `behind` and the suffix spell what the run
// `ahead` spells. Runs are kept as the step that made them. Beside the
// texts go the runs' bytes: equal bytes are no ambiguity, so they are
// followed while one run's bytes begin the other's.
struct Dangling {
  std::string suffix;
  std::string bytes;     // what the run with more bytes has beyond the other's
  bool bytesDiffer;      // the runs' bytes already part ways
  bool aheadHasMore;     // whether `bytes` belongs to the run ahead in text
  std::uint32_t parent;  // kNone for the first ones, made of two texts
  std::uint32_t word;    // appended to the parent's run behind (or the first text behind)
  std::uint32_t other;   // the first text ahead, for the first ones
  bool swapped;          // the run behind overtook the one ahead
};

// Appends `key` to the bytes of the run behind.
void AddBehind(Dangling& d, std::string_view key) {
  if (d.bytesDiffer) return;
  if (d.bytes.empty() || !d.aheadHasMore) {
    d.bytes += key;
    d.aheadHasMore = false;
    return;
  }
  const std::size_t common = std::min(d.bytes.size(), key.size());
  if (d.bytes.compare(0, common, key.substr(0, common)) != 0) {
    d.bytesDiffer = true;
    d.bytes.clear();
  } else if (key.size() > common) {
    d.bytes.assign(key.substr(common));
    d.aheadHasMore = false;
  } else {
    d.bytes.erase(0, common);
  }
}

std::string Seen(const Dangling& d) {
  std::string out = d.suffix;
  out.push_back('\0');
  out.push_back(d.bytesDiffer ? 'D' : d.aheadHasMore ? 'A' : 'B');
  return out + d.bytes;
}

SameTextRuns Runs(const std::vector<Dangling>& found, std::uint32_t at, std::uint32_t last) {
  std::vector<std::uint32_t> chain;
  for (std::uint32_t i = at; i != Code::kNone; i = found[i].parent) chain.push_back(i);
  const Dangling& first = found[chain.back()];
  std::vector<std::uint32_t> behind{first.word}, ahead{first.other};
  for (std::size_t k = chain.size() - 1; k-- > 0;) {
    const Dangling& d = found[chain[k]];
    behind.push_back(d.word);
    if (d.swapped) std::swap(behind, ahead);
  }
  behind.push_back(last);
  return {std::move(ahead), std::move(behind)};
}

}  // namespace

SameTextResult FindSameTextRuns(const Code& code, const AmbiguityLimits& limits) {
  SameTextResult result;
  const ByteTrie& trie = code.texts();
  const auto& entries = code.entries();
  std::vector<Dangling> found;
  std::unordered_set<std::string> seen;
  std::size_t steps = 0;
  // False when a limit was reached.
  auto add = [&](Dangling d) {
    if (++steps > limits.steps || found.size() >= limits.suffixes) return false;
    if (seen.insert(Seen(d)).second) found.push_back(std::move(d));
    return true;
  };
  for (std::uint32_t node : code.TextOrder()) {
    const std::uint32_t u = code.TextEntry(node);
    const auto [from, to] = code.TextRange(node);
    for (std::uint32_t k = from + 1; k < to; ++k) {
      const std::uint32_t v = code.TextEntry(code.TextOrder()[k]);
      Dangling d{entries[v].text.substr(entries[u].text.size()), entries[v].key, false, true,
                 Code::kNone, u, v, false};
      AddBehind(d, entries[u].key);
      if (!add(std::move(d))) {
        result.complete = false;
        result.suffixes = found.size();
        return result;
      }
    }
  }
  for (std::uint32_t i = 0; i < found.size() && result.complete; ++i) {
    const Dangling at = found[i];
    const std::string& s = at.suffix;
    std::uint32_t node = 0;
    std::size_t p = 0;
    for (; p < s.size() && result.complete; ++p) {
      node = trie.Child(node, static_cast<unsigned char>(s[p]));
      if (node == Code::kNone) break;
      const std::uint32_t w = code.TextEntry(node);
      if (w == Code::kNone) continue;
      Dangling d = at;
      AddBehind(d, entries[w].key);
      if (p + 1 == s.size()) {
        // The texts meet; only different bytes make an ambiguity.
        if (!d.bytesDiffer && d.bytes.empty()) continue;
        result.runs = Runs(found, i, w);
        result.suffixes = found.size();
        return result;
      }
      d.suffix = s.substr(p + 1);
      d.parent = i;
      d.word = w;
      d.other = Code::kNone;
      d.swapped = false;
      result.complete = add(std::move(d));
    }
    if (!result.complete || p < s.size()) continue;
    const auto [from, to] = code.TextRange(node);
    for (std::uint32_t k = from; k < to && result.complete; ++k) {
      const std::uint32_t textNode = code.TextOrder()[k];
      if (textNode == node) continue;
      const std::uint32_t w = code.TextEntry(textNode);
      Dangling d = at;
      AddBehind(d, entries[w].key);
      d.suffix = entries[w].text.substr(s.size());
      d.aheadHasMore = !d.aheadHasMore;  // the runs change places
      d.parent = i;
      d.word = w;
      d.other = Code::kNone;
      d.swapped = true;
      result.complete = add(std::move(d));
    }
  }
  result.suffixes = found.size();
  return result;
}

}  // namespace mojihyo
