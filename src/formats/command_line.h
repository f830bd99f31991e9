#pragma once

#include "formats/table_format.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// The table the program is asked to open at start-up.
struct StartupTable {
  TableFormat format;
  std::string path;
};

// Reads the whole argument text: "T " and a path is a Thingy table, "H " and
// a path a Hexposure table, "S " and a path a TFS table (all case-sensitive,
// one space), anything else the path of a MoJiHyo table. Empty text asks for
// nothing. The path is used as it stands: no quotes are removed and nothing
// is trimmed.
std::optional<StartupTable> ParseCommandLine(std::string_view text);

// The editor's own options, before the toolkit sees the arguments: --help
// and --version (first argument only), and "--", after which every argument
// is a word of the table's text even when it starts with "-".
struct ProgramOptions {
  bool help = false;
  bool version = false;
  bool optionsEnded = false;  // a "--" came first
  std::vector<std::string> tableWords;  // after "--": the words of the table's text
};
ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// Open dialog texts of a format: "Open Thingy Table File" and
// "Thingy table files (*.tbl)|*.tbl"; "TFS tables (*.tbl)|*.tbl" for TFS.
std::string OpenDialogTitle(TableFormat format);
std::string OpenDialogFilter(TableFormat format);

// Save dialog texts: "Save Thingy Table File" and the format's filter.
std::string SaveDialogTitle(TableFormat format);
std::string SaveDialogFilter(TableFormat format);

}  // namespace mojihyo
