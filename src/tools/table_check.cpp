#include "tools/table_check.h"

#include "tfs/tfs_document.h"
#include "tools/check_parts.h"

#include <algorithm>

namespace mojihyo {

namespace {

// UTF-16 text splits into lines no table reader can take; one finding says
// so instead of one for each line. Without a byte order mark it shows by
// its NUL bytes: a NUL in every fourth byte or more. A few NULs are a table's
// own (an entry whose text is a NUL byte).
bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0')) * 4 > bytes.size();
}

}  // namespace

namespace check {
void SortByLine(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}
}  // namespace check

std::string_view SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

std::vector<Finding> CheckTableFile(TableFormat format, std::string_view bytes,
                                    const CheckOptions& options) {
  std::vector<Finding> findings;
  if (LooksLikeUtf16(bytes)) {
    check::Findings(findings).Error(FindingKind::NotATable, 0,
                                    "the file is UTF-16 text, whose lines no table reader takes: "
                                    "save it as UTF-8");
    return findings;
  }
  if (format == TableFormat::Tfs) {
    findings = CheckTfsDocument(TfsDocument(std::string(bytes)), options);
  } else {
    check::CheckOlderFormat(format, bytes, options, findings);
    check::SortByLine(findings);
  }
  return findings;
}

void AddLoadedTables(TableFormat format, std::string_view bytes, CheckOptions& options) {
  if (format != TableFormat::Tfs || LooksLikeUtf16(bytes)) return;
  const TfsDocument doc{std::string(bytes)};
  for (std::size_t t = 0; t < doc.tables().size(); ++t) {
    if (doc.tables()[t].named) options.loadedTableIds.emplace_back(doc.tableId(t));
  }
  for (std::size_t i = 0; i < doc.lineCount(); ++i) {
    if (doc.kind(i) != TfsLineKind::TableSwitch) continue;
    const TfsTableSwitch s = ParseTableSwitch(doc.text(i));
    if (s.understood) options.switchedToIds.emplace_back(s.target);
  }
}

}  // namespace mojihyo
