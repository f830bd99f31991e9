#pragma once

// The codes of a logical table: its end tokens, newlines, control codes and
// table switches, which the editor lists and edits as lines of their own.

#include "core/font_table.h"
#include "tfs/tfs_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

bool IsCodeKind(TfsLineKind kind);

// A code line in its parts: the marker that starts it ("/", "*", "$" or
// "!"), the key as spelled (empty for an end token "/label") and what stands
// after the "=" (a label, parameters, a switch's target and count).
struct CodeParts {
  char marker = '/';
  std::string key;
  std::string definition;
  bool operator==(const CodeParts&) const = default;
};

// The kind of line a marker starts.
TfsLineKind CodeKindOf(char marker);

// The parts of a code line; nothing for a line of another kind.
std::optional<CodeParts> SplitCodeLine(std::string_view line);

// The line the parts make. Whether it reads as the kind its marker names is
// for CodeKindOf and ParseTfsLine to say.
std::string JoinCodeLine(const CodeParts& parts);

// The code lines of logical table `table`, in file order.
std::vector<std::size_t> CodeLinesOf(const TfsDocument& doc, std::size_t table);

// The edits that make the code lines of `table` read `codes`, in that
// order. Lines that stay as they were keep their places; a changed line is
// rewritten where it stands, with its own end; a new one goes where the
// list puts it among the others (after the table's last code line, or at
// the end of the table when it has none); a removed one goes.
TfsEdits CodeEdits(const TfsDocument& doc, std::size_t table, const std::vector<std::string>& codes);

// The codes of the logical table the fields show, as they stand once the
// fields are kept in the document.
std::vector<std::string> TableCodes(const FontTable& table);

// Gives the logical table the fields show the codes `codes`: the fields are
// kept in the document first, and the break values read again afterwards,
// since the first end tokens and newlines are the break values.
void SetTableCodes(FontTable& table, const std::vector<std::string>& codes);

}  // namespace mojihyo
