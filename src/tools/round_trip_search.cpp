// The dump-and-insert search. Bytes are built one token at a time, shortest
// first; a state holds all that the rest of the bytes can still change:
//   - the key trie nodes of earlier keys that longer keys continue, which
//     the following bytes must not complete (the dumper would have read the
//     longer key instead);
//   - the dumped text the insertion has not taken yet, because a longer text
//     could still match it;
//   - the bytes one side has written ahead of the other, where the other
//     side is the bytes as the insertion should write them back (an entry
//     counted as the one its text chooses).
// A state the search met before with fewer bytes leads nowhere new.

#include "tools/ambiguity.h"

#include <algorithm>

namespace mojihyo {

namespace {

constexpr std::uint32_t kNone = Code::kNone;

struct State {
  std::vector<std::uint32_t> pending;
  std::string text;
  std::string surplus;
  bool insertionAhead = false;
};

std::string Encode(const State& s) {
  std::string out;
  out.reserve(12 + 4 * s.pending.size() + s.text.size() + s.surplus.size());
  auto put = [&out](std::uint32_t v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); };
  put(static_cast<std::uint32_t>(s.pending.size()));
  for (std::uint32_t n : s.pending) put(n);
  put(static_cast<std::uint32_t>(s.text.size()));
  out += s.text;
  out.push_back(s.insertionAhead ? 'I' : 'C');
  out += s.surplus;
  return out;
}

// Adds bytes one side writes; false when they differ from what the other
// side wrote there.
bool Write(State& s, std::string_view bytes, bool byInsertion) {
  if (s.surplus.empty() || s.insertionAhead == byInsertion) {
    s.surplus.append(bytes);
    s.insertionAhead = byInsertion;
    return true;
  }
  const std::size_t common = std::min(s.surplus.size(), bytes.size());
  if (s.surplus.compare(0, common, bytes.substr(0, common)) != 0) return false;
  if (bytes.size() > common) {
    s.surplus.assign(bytes.substr(common));
    s.insertionAhead = byInsertion;
  } else {
    s.surplus.erase(0, common);
  }
  return true;
}

enum class Outcome { Next, NotThisToken, Fails };

class Search {
public:
  Search(const Code& code, const AmbiguityLimits& limits) : code_(code), limits_(limits) {}
  RoundTripResult Run();

private:
  struct Info {
    std::uint32_t parent, token;
    std::size_t length;
    bool done;
  };

  // Takes the insertion's choices while they are certain (all of them at the
  // end of the bytes); false when the insertion goes wrong.
  bool Decide(State& s, bool atEnd) const;
  Outcome Step(const State& from, std::uint32_t token, State& to) const;
  // Whether a byte that continues no pending key and no pending text leaves
  // nothing behind: the state then goes on as the empty one does.
  bool CleanBreak(const State& s) const;
  void Candidates(const State& s, std::vector<std::uint32_t>& out);
  std::string_view Key(std::uint32_t e) const { return code_.entries()[e].key; }

  const Code& code_;
  const AmbiguityLimits& limits_;
  std::vector<std::uint32_t> stamp_;
  std::uint32_t round_ = 0;
};

bool Search::Decide(State& s, bool atEnd) const {
  const ByteTrie& trie = code_.texts();
  while (!s.text.empty()) {
    std::uint32_t node = 0, best = kNone;
    std::size_t length = 0, p = 0;
    for (; p < s.text.size(); ++p) {
      const std::uint32_t next = trie.Child(node, static_cast<unsigned char>(s.text[p]));
      if (next == kNone) break;
      node = next;
      if (code_.TextEntry(node) != kNone) {
        best = code_.TextEntry(node);
        length = p + 1;
      }
    }
    if (!atEnd && p == s.text.size() && !trie.Children(node).empty()) return true;
    if (best == kNone || !Write(s, Key(best), true)) return false;
    s.text.erase(0, length);
  }
  return !atEnd || s.surplus.empty();
}

Outcome Search::Step(const State& from, std::uint32_t token, State& to) const {
  const ByteTrie& keys = code_.keys();
  const std::string_view key = Key(token);
  to.pending.clear();
  for (std::uint32_t n : from.pending) {
    for (unsigned char b : key) {
      n = keys.Child(n, b);
      if (n == kNone) break;
      if (code_.KeyEntry(n) != kNone) return Outcome::NotThisToken;
    }
    if (n != kNone) to.pending.push_back(n);
  }
  const std::uint32_t own = code_.KeyNode(token);
  if (!keys.Children(own).empty()) to.pending.push_back(own);
  std::sort(to.pending.begin(), to.pending.end());
  to.pending.erase(std::unique(to.pending.begin(), to.pending.end()), to.pending.end());
  to.text = from.text;
  to.text += code_.entries()[token].text;
  to.surplus = from.surplus;
  to.insertionAhead = from.insertionAhead;
  if (!Write(to, Key(code_.Chosen(token)), false) || !Decide(to, false)) return Outcome::Fails;
  return Outcome::Next;
}

bool Search::CleanBreak(const State& s) const {
  if (s.text.empty()) return s.surplus.empty();
  std::uint32_t node = 0;
  for (unsigned char b : s.text) node = code_.texts().Child(node, b);
  const std::uint32_t e = code_.TextEntry(node);
  if (e == kNone) return false;
  State after = s;
  return Write(after, Key(e), true) && after.surplus.empty();
}

void Search::Candidates(const State& s, std::vector<std::uint32_t>& out) {
  out.clear();
  const bool root = s.pending.empty() && s.text.empty() && s.surplus.empty();
  if (root || !CleanBreak(s)) {
    out = code_.tokens();
    return;
  }
  ++round_;
  auto take = [&](const std::vector<std::uint32_t>& tokens) {
    for (std::uint32_t e : tokens) {
      if (stamp_[e] == round_) continue;
      stamp_[e] = round_;
      out.push_back(e);
    }
  };
  for (std::uint32_t n : s.pending) {
    for (unsigned char b : code_.keys().Children(n)) take(code_.ByKeyByte(b));
  }
  if (!s.text.empty()) {
    // Only a token whose text reaches another text through the pending
    // one, or ends inside it, leads anywhere new: any other decides the
    // pending text as it stands and then goes on as from the empty state.
    // So the subtree under the pending text is walked beside the same
    // bytes from the root.
    const ByteTrie& trie = code_.texts();
    std::uint32_t node = 0;
    for (unsigned char b : s.text) node = trie.Child(node, b);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> walk{{node, 0}};
    while (!walk.empty()) {
      const auto [below, fromRoot] = walk.back();
      walk.pop_back();
      for (unsigned char b : trie.Children(below)) {
        const std::uint32_t below2 = trie.Child(below, b), root2 = trie.Child(fromRoot, b);
        if (root2 == kNone) continue;
        if (code_.TextEntry(below2) != kNone) {
          const auto [from, to] = code_.TextRange(root2);
          for (std::uint32_t k = from; k < to; ++k) take(code_.ByText(code_.TextOrder()[k]));
        } else {
          take(code_.ByText(root2));
        }
        walk.push_back({below2, root2});
      }
    }
  }
  std::sort(out.begin(), out.end());
}

RoundTripResult Search::Run() {
  RoundTripResult result;
  stamp_.assign(code_.entries().size(), 0);
  std::vector<State> states{State{}};
  std::vector<Info> info{{kNone, kNone, 0, false}};
  std::unordered_map<std::string, std::uint32_t> ids{{Encode(State{}), 0}};
  std::vector<std::vector<std::uint32_t>> buckets{{0}};
  struct Best {
    std::size_t length = static_cast<std::size_t>(-1);
    std::uint32_t state = kNone, token = kNone;
  } best;
  std::size_t steps = 0;
  std::vector<std::uint32_t> candidates;
  State next;
  for (std::size_t length = 0; length < buckets.size() && length < best.length; ++length) {
    for (std::size_t k = 0; k < buckets[length].size(); ++k) {
      const std::uint32_t id = buckets[length][k];
      if (info[id].length != length || info[id].done) continue;
      info[id].done = true;
      State end = states[id];
      if (!Decide(end, true)) {
        best = {length, id, kNone};
        break;
      }
      Candidates(states[id], candidates);
      for (std::uint32_t token : candidates) {
        if (++steps > limits_.steps) {
          result.complete = false;
          break;
        }
        const Outcome o = Step(states[id], token, next);
        if (o == Outcome::NotThisToken) continue;
        const std::size_t to = length + Key(token).size();
        if (o == Outcome::Fails) {
          if (to < best.length) best = {to, id, token};
          continue;
        }
        auto [it, added] = ids.try_emplace(Encode(next), static_cast<std::uint32_t>(states.size()));
        if (added) {
          if (states.size() >= limits_.states) {
            result.complete = false;
            break;
          }
          states.push_back(next);
          info.push_back({id, token, to, false});
        } else if (to < info[it->second].length) {
          info[it->second] = {id, token, to, false};
        } else {
          continue;
        }
        if (buckets.size() <= to) buckets.resize(to + 1);
        buckets[to].push_back(it->second);
      }
      if (!result.complete) break;
    }
    if (!result.complete) break;
  }
  result.states = states.size();
  if (best.state == kNone) return result;

  std::vector<std::uint32_t> path;
  if (best.token != kNone) path.push_back(best.token);
  for (std::uint32_t id = best.state; id != 0; id = info[id].parent) path.push_back(info[id].token);
  std::reverse(path.begin(), path.end());
  std::string bytes, text;
  for (std::uint32_t e : path) bytes += Key(e);
  RoundTripFailure failure;
  failure.dumped = code_.Dump(bytes).value_or(path);
  for (std::uint32_t e : failure.dumped) text += code_.entries()[e].text;
  bool complete = true;
  failure.inserted = code_.Insert(text, &complete);
  failure.stuck = !complete;
  result.failure = std::move(failure);
  result.complete = true;
  return result;
}

}  // namespace

RoundTripResult FindRoundTripFailure(const Code& code, const AmbiguityLimits& limits) {
  return Search(code, limits).Run();
}

}  // namespace mojihyo
