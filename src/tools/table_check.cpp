#include "tools/table_check.h"

#include "core/text_form.h"
#include "tfs/tfs_document.h"
#include "tools/check_parts.h"

#include <algorithm>

namespace mojihyo {

namespace {

// The text of a file as the readers take it: UTF-16 read as UTF-8, any
// other bytes as they are. Nothing, with the reason, when UTF-16 does not
// decode.
struct FileText {
  TextForm form = TextForm::Bytes;
  std::string decoded;  // for UTF-16 only
  std::string error;
};

FileText ReadText(std::string_view bytes) {
  FileText text;
  text.form = DetectTextForm(bytes);
  if (IsUtf16(text.form)) {
    if (FileResult r = DecodeUtf16(bytes, text.form, text.decoded); !r.ok()) text.error = r.error;
  }
  return text;
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
  check::Findings out(findings);
  const FileText text = ReadText(bytes);
  if (!text.error.empty()) {
    out.Error(FindingKind::NotATable, 0,
              "the file looks like " + std::string(TextFormName(text.form)) + " text, but " + text.error);
    return findings;
  }
  if (IsUtf16(text.form)) bytes = text.decoded;
  if (format == TableFormat::Tfs) {
    findings = CheckTfsDocument(TfsDocument(std::string(bytes)), options);
    if (IsUtf16(text.form) && options.compatibility)
      out.Warning(FindingKind::Compatibility, 0,
                  "abcde stops on this file: it reads tables as UTF-8, and this one is " +
                      std::string(TextFormName(text.form)));
  } else {
    check::CheckOlderFormat(format, bytes, options, findings);
  }
  check::SortByLine(findings);
  return findings;
}

void AddLoadedTables(TableFormat format, std::string_view bytes, CheckOptions& options) {
  const FileText text = ReadText(bytes);
  if (format != TableFormat::Tfs || !text.error.empty()) return;
  const TfsDocument doc{std::string(IsUtf16(text.form) ? std::string_view(text.decoded) : bytes)};
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
