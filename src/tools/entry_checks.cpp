// The checks every format gets over the entries its reader keeps.

#include "tools/check_parts.h"

#include "tfs/tfs_line.h"

#include <algorithm>
#include <unordered_map>

namespace mojihyo::check {

std::string KeyHex(std::string_view key) { return HexSpelling(key); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string LineList(std::vector<std::size_t> lines) {
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  std::string out = lines.size() == 1 ? "line " : "lines ";
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += k + 1 == lines.size() ? " and " : ", ";
    out += std::to_string(lines[k]);
  }
  return out;
}

std::string Run(const Code& code, const std::vector<std::uint32_t>& run) {
  std::string out;
  for (std::uint32_t e : run) {
    if (!out.empty()) out.push_back(' ');
    out += KeyHex(code.entries()[e].key);
  }
  return out;
}

bool HasBlankKey(std::string_view line) {
  for (;;) {
    if (line.starts_with(' ') || line.starts_with('\t')) {
      line.remove_prefix(1);
    } else if (line.starts_with("\xEF\xBB\xBF")) {
      line.remove_prefix(3);
    } else {
      break;
    }
  }
  if (line.starts_with('=')) return true;
  return line.size() >= 2 && line[1] == '=' && std::string_view("/*$!").find(line[0]) != std::string_view::npos;
}

std::size_t Utf8ErrorAt(std::string_view s) {
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = b[i];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;   // no overlong forms
      if (c == 0xED) high = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
      return i;
    }
    if (i + length > n || b[i + 1] < low || b[i + 1] > high) return i;
    for (std::size_t k = 2; k < length; ++k) {
      if (b[i + k] < 0x80 || b[i + k] > 0xBF) return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

bool TextsAreUtf8(bool byteOrderMark, const std::vector<EntrySet>& tables) {
  if (byteOrderMark) return true;
  std::size_t valid = 0, invalid = 0;
  for (const EntrySet& set : tables) {
    for (const CodeEntry& e : set.entries) {
      if (!e.token || std::all_of(e.text.begin(), e.text.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        continue;
      (Utf8ErrorAt(e.text) == std::string_view::npos ? valid : invalid) += 1;
    }
  }
  return valid > invalid;
}

namespace {

std::string InTable(const EntrySet& set) { return set.name.empty() ? "" : " in " + set.name; }

void CheckSameText(const EntrySet& set, const Code& code, Findings& out) {
  std::unordered_map<std::string_view, std::uint32_t> first;
  for (std::uint32_t e : code.tokens()) {
    const CodeEntry& entry = code.entries()[e];
    auto [it, added] = first.try_emplace(entry.text, e);
    if (added) continue;
    const CodeEntry& earlier = code.entries()[it->second];
    const CodeEntry& chosen = code.entries()[code.Chosen(e)];
    out.Warning(FindingKind::SameText, entry.line,
                "the text " + Quoted(entry.text) + " is also on line " + std::to_string(earlier.line) +
                    " (key " + KeyHex(earlier.key) + "): an insertion writes it as " +
                    KeyHex(chosen.key) + " (line " + std::to_string(chosen.line) + ")",
                set.table, entry.key);
  }
}

void CheckRoundTrip(const EntrySet& set, const Code& code, const CheckOptions& options,
                    Findings& out) {
  const RoundTripResult r = FindRoundTripFailure(code, options.limits);
  if (!r.failure) {
    if (!r.complete)
      out.Warning(FindingKind::Incomplete, 0,
                  "check incomplete: the dump-and-insert search stopped at its bound after " +
                      std::to_string(r.states) + " states" + InTable(set),
                  set.table);
    return;
  }
  const RoundTripFailure& f = *r.failure;
  std::string text, written;
  std::vector<std::size_t> lines;
  for (std::uint32_t e : f.dumped) {
    text += code.entries()[e].text;
    lines.push_back(code.entries()[e].line);
  }
  for (std::uint32_t e : f.inserted) {
    written += code.entries()[e].text;
    lines.push_back(code.entries()[e].line);
  }
  // The finding stands where the insertion first parts from the dump.
  std::size_t k = 0;
  while (k < f.inserted.size() && k < f.dumped.size() && f.inserted[k] == code.Chosen(f.dumped[k])) ++k;
  const std::uint32_t at = k < f.inserted.size() ? f.inserted[k] : f.dumped[std::min(k, f.dumped.size() - 1)];
  std::string message = "the bytes " + Run(code, f.dumped) + " dump as " + Quoted(text) + ", which ";
  if (f.stuck) {
    message += "an insertion cannot write: after " + Quoted(written) + " no text matches " +
               Quoted(std::string_view(text).substr(written.size()));
  } else {
    message += "an insertion writes as " + Run(code, f.inserted);
  }
  out.Warning(FindingKind::RoundTrip, code.entries()[at].line, message + " (" + LineList(lines) + ")",
              set.table, code.entries()[at].key);
}

void CheckSameTextRuns(const EntrySet& set, const Code& code, const CheckOptions& options,
                       Findings& out) {
  const SameTextResult r = FindSameTextRuns(code, options.limits);
  if (!r.runs) {
    if (!r.complete)
      out.Warning(FindingKind::Incomplete, 0,
                  "check incomplete: the unique-decoding test stopped at its bound after " +
                      std::to_string(r.suffixes) + " dangling suffixes" + InTable(set),
                  set.table);
    return;
  }
  const auto& [a, b] = *r.runs;
  const auto& entries = code.entries();
  std::string text;
  std::vector<std::size_t> linesA, linesB;
  for (std::uint32_t e : a) {
    text += entries[e].text;
    linesA.push_back(entries[e].line);
  }
  for (std::uint32_t e : b) linesB.push_back(entries[e].line);
  // At the entry whose longer text the other run spells in pieces.
  const std::uint32_t at = entries[a[0]].text.size() >= entries[b[0]].text.size() ? a[0] : b[0];
  out.Warning(FindingKind::SameTextRuns, entries[at].line,
              "two runs of entries have the text " + Quoted(text) + ": " + Run(code, a) + " (" +
                  LineList(linesA) + ") and " + Run(code, b) + " (" + LineList(linesB) + ")",
              set.table, entries[at].key);
}

}  // namespace

void CheckEntries(const EntrySet& set, bool utf8, const CheckOptions& options, Findings& out) {
  const Code code(set.entries);
  if (utf8) {
    for (std::uint32_t e : code.tokens()) {
      const CodeEntry& entry = code.entries()[e];
      const std::size_t at = Utf8ErrorAt(entry.text);
      if (at == std::string_view::npos) continue;
      out.Warning(FindingKind::InvalidText, entry.line,
                  "the text is not valid UTF-8, the table's encoding: byte " + std::to_string(at + 1) +
                      " of it is " + KeyHex(entry.text.substr(at, 1)),
                  set.table, entry.key);
    }
  }
  CheckSameText(set, code, out);
  CheckRoundTrip(set, code, options, out);
  CheckSameTextRuns(set, code, options, out);
}

}  // namespace mojihyo::check
