// What the tools the modern tables are written for do with a line that the
// TFS reading takes: the lines abcde refuses (it stops on the first), and
// the lines Atlas or Cartographer skip or read as something else.

#include "tools/check_parts.h"

#include "tfs/tfs_document.h"

#include <unordered_map>

namespace mojihyo::check {

namespace {

std::string_view Indented(std::string_view line) {
  while (line.starts_with(' ') || line.starts_with('\t')) line.remove_prefix(1);
  return line;
}

bool StartsWithHexDigit(std::string_view line) {
  if (line.empty()) return false;
  const char c = line[0];
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

constexpr std::string_view kAbcdeStops = "abcde stops on this line: ";
constexpr std::string_view kCartographer =
    "Cartographer rejects it: a line must start with a hex digit, \"/\" or \"$\"";

struct Reasons {
  std::vector<std::string> items;
  void Add(std::string_view item) { items.emplace_back(item); }
  std::string Joined() const {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : "; ") + item;
    return out;
  }
};

}  // namespace

void CheckCompatibility(const TfsDocument& doc, Findings& out) {
  std::unordered_map<std::string_view, std::size_t> ids;
  std::size_t tableLines = 0;
  bool utf8Reported = false;
  for (std::size_t i = 0; i < doc.lineCount(); ++i) {
    const TfsLineKind kind = doc.kind(i);
    // Lines no reader takes are errors already.
    if (kind == TfsLineKind::Blank || kind == TfsLineKind::Unparsed || HasBlankKey(doc.line(i))) continue;
    const std::string_view line = Indented(doc.line(i));
    // The first line abcde cannot read as UTF-8 stops it; one finding says so.
    Reasons why;
    if (!utf8Reported && Utf8ErrorAt(doc.line(i)) != std::string_view::npos) {
      utf8Reported = true;
      why.Add(std::string(kAbcdeStops) + "it reads tables as UTF-8, and this line is not");
    }
    const bool hexFirst = StartsWithHexDigit(line) || line.starts_with('/') || line.starts_with('$');
    switch (kind) {
      case TfsLineKind::Comment:
        if (!line.starts_with('#')) why.Add(std::string(kAbcdeStops) + "only \"#\" starts a comment");
        break;
      case TfsLineKind::Normal:
        if (doc.text(i).find_first_of("<>") != std::string_view::npos)
          why.Add(std::string(kAbcdeStops) + "\"<\" and \">\" are not allowed in a text");
        if (doc.text(i).empty()) why.Add("Cartographer ignores an entry with an empty text");
        break;
      case TfsLineKind::EndToken:
      case TfsLineKind::Newline:
        if (!doc.hasText(i) || !doc.hasKey(i)) why.Add(std::string(kAbcdeStops) + "it has no \"=\"");
        break;
      case TfsLineKind::ControlCode: why.Add("Atlas skips \"$\" lines"); break;
      case TfsLineKind::TableSwitch: why.Add("Atlas reads a \"!\" line as a dakuten value, not a table switch"); break;
      case TfsLineKind::TableId: {
        why.Add("Atlas reads an \"@\" line as a handakuten value, not a table id");
        auto [it, added] = ids.try_emplace(doc.text(i), i + 1);
        if (!added) {
          why.Add(std::string(kAbcdeStops) + "table id " + Quoted(doc.text(i)) + " is used on line " +
                  std::to_string(it->second) + " already");
        } else if (++tableLines == 2) {
          why.Add("abcde reads a second table from one file only with --multi-table-files");
        }
        break;
      }
      default: break;
    }
    if (kind != TfsLineKind::Comment || !line.starts_with("//")) {
      if (!hexFirst) why.Add(kCartographer);
    }
    if (why.items.empty()) continue;
    out.Warning(FindingKind::Compatibility, i + 1, why.Joined(), doc.tableOf(i),
                doc.hasKey(i) ? doc.key(i).bytes : std::string());
  }
}

}  // namespace mojihyo::check
