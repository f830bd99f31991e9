#include "tools/ambiguity.h"

#include <deque>
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
  byTextByte_.resize(256);
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
    byTextByte_[static_cast<unsigned char>(entries_[e].text[0])].push_back(e);
  }
  textEntry_.resize(texts_.size(), kNone);
  for (std::uint32_t e : tokens_) {
    std::uint32_t node = 0;
    for (unsigned char b : entries_[e].text) node = texts_.Child(node, b);
    chosen_[e] = textEntry_[node];
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
// `ahead` spells. Runs are kept as the step that made them.
struct Dangling {
  std::string suffix;
  std::uint32_t parent;  // kNone for the first ones, made of two texts
  std::uint32_t word;    // appended to the parent's run behind (or the first text behind)
  std::uint32_t other;   // the first text ahead, for the first ones
  bool swapped;          // the run behind overtook the one ahead
};

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
  auto add = [&](std::string suffix, std::uint32_t parent, std::uint32_t word, std::uint32_t other,
                 bool swapped) {
    if (++steps > limits.steps || found.size() >= limits.suffixes) return false;
    if (seen.insert(suffix).second) found.push_back({std::move(suffix), parent, word, other, swapped});
    return true;
  };
  for (std::uint32_t node : code.TextOrder()) {
    const std::uint32_t u = code.TextEntry(node);
    const auto [from, to] = code.TextRange(node);
    for (std::uint32_t k = from + 1; k < to; ++k) {
      const std::uint32_t v = code.TextEntry(code.TextOrder()[k]);
      if (!add(entries[v].text.substr(entries[u].text.size()), Code::kNone, u, v, false)) {
        result.complete = false;
        result.suffixes = found.size();
        return result;
      }
    }
  }
  for (std::uint32_t i = 0; i < found.size(); ++i) {
    const std::string s = found[i].suffix;
    std::uint32_t node = 0;
    std::size_t p = 0;
    for (; p < s.size(); ++p) {
      node = trie.Child(node, static_cast<unsigned char>(s[p]));
      if (node == Code::kNone) break;
      const std::uint32_t w = code.TextEntry(node);
      if (w == Code::kNone) continue;
      if (p + 1 == s.size()) {
        result.runs = Runs(found, i, w);
        result.suffixes = found.size();
        return result;
      }
      if (!add(s.substr(p + 1), i, w, Code::kNone, false)) {
        result.complete = false;
        break;
      }
    }
    if (!result.complete) break;
    if (p < s.size()) continue;
    const auto [from, to] = code.TextRange(node);
    for (std::uint32_t k = from; k < to; ++k) {
      const std::uint32_t textNode = code.TextOrder()[k];
      if (textNode == node) continue;
      const std::uint32_t w = code.TextEntry(textNode);
      if (!add(entries[w].text.substr(s.size()), i, w, Code::kNone, true)) {
        result.complete = false;
        break;
      }
    }
    if (!result.complete) break;
  }
  result.suffixes = found.size();
  return result;
}

}  // namespace mojihyo
