#pragma once

// What the command-line programs share: naming a table format, and the
// GNU way of reporting a command line that was not understood.

#include "core/file_io.h"
#include "core/font_table.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace mojihyo {

// "thingy", "hexposure", "mojihyo" or "tfs", in any case.
std::optional<TableFormat> FormatFromOption(std::string_view value);

// The format a file's name implies: ".tab" is MoJiHyo, ".tbl" Thingy
// (either case); other names imply none.
std::optional<TableFormat> FormatFromExtension(std::string_view path);

// Reads `args` into `app` the GNU way: options before, between or after
// the file names, "--name value" or "--name=value", "--" ending the
// options. Returns what was not understood, or nothing.
std::string ParseCommandLine(CLI::App& app, const std::vector<std::string>& args);

// "PROGRAM: MESSAGE", the usage line, and where to find the help; the exit
// code of a usage error, 2.
int ReportUsageError(std::ostream& err, std::string_view program, std::string_view message,
               std::string_view usage);

// When --help or --version was asked for, writes the usage and help, or
// "PROGRAM VERSION", to `out` and says so.
bool AnswerHelpOrVersion(std::ostream& out, bool help, bool version, std::string_view program,
                         std::string_view usage, std::string_view helpText);

// Standard input has no size to check beforehand: it is read up to the
// limit files have and refused beyond it.
FileResult ReadStandardInput(std::istream& in, std::string& bytes);

}  // namespace mojihyo
