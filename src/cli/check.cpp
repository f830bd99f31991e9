#include "cli/check.h"

#include "cli/cli_common.h"

#include "core/file_io.h"
#include "formats/table_format.h"
#include "tools/table_check.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <new>
#include <optional>
#include <string_view>

namespace mojihyo {

namespace {

constexpr std::string_view kProgram = "mojihyo-check";

constexpr std::string_view kUsage = "Usage: mojihyo-check [--from FORMAT] [--no-compat] TABLE...\n";

constexpr std::string_view kHelp =
    "Checks font tables for what will break a dump or an insertion, before\n"
    "anything runs. Errors: a key twice in one logical table, a line no reader\n"
    "takes, a blank key, a table switch to an id no loaded table has, a label\n"
    "twice in one logical table. Warnings: the shortest bytes that dump to a\n"
    "text an insertion writes back as other bytes, two runs of entries with one\n"
    "text, text that is not valid UTF-8 in a UTF-8 table, a key with an odd\n"
    "number of hex digits, an empty text, a table without an end token, one\n"
    "text for two keys, and the lines abcde refuses and Atlas or Cartographer\n"
    "skip.\n"
    "\n"
    "  --from FORMAT  read every TABLE as thingy, hexposure, mojihyo or tfs\n"
    "  --no-compat    leave out what abcde, Atlas and Cartographer would do\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Without --from the format follows the file's extension: .tbl is read as\n"
    "TFS, the fullest reading, and .tab as mojihyo; any other name needs the\n"
    "option. Give - as TABLE for standard input. Each finding is one line on\n"
    "standard output, FILE:LINE: error: MESSAGE or FILE:LINE: warning: MESSAGE,\n"
    "with LINE 0 when no single line is concerned.\n"
    "\n"
    "Exit status: 0 no errors (warnings alone are allowed), 1 errors,\n"
    "2 the command line was not understood or a file could not be read.\n";

struct UsageError {
  std::string message;
};

// Unlike the converter, the check reads a .tbl file as TFS: that reading
// takes the most lines, so it finds the most.
std::optional<TableFormat> CheckedFormatOf(std::string_view path) {
  const std::optional<TableFormat> format = FormatFromExtension(path);
  return format == TableFormat::Thingy ? TableFormat::Tfs : format;
}

struct Request {
  std::optional<TableFormat> from;
  bool compat = true, help = false, version = false;
  std::vector<std::string> tables;
  std::vector<TableFormat> formats;  // one per table
};

Request ParseArguments(const std::vector<std::string>& args) {
  Request r;
  CLI::App app;
  app.set_help_flag();
  std::string from;
  bool noCompat = false;
  app.add_flag("-h,--help", r.help);
  app.add_flag("--version", r.version);
  app.add_flag("--no-compat", noCompat);
  app.add_option("--from", from);
  app.add_option("TABLE", r.tables);
  if (std::string message = ParseCommandLine(app, args); !message.empty()) throw UsageError{message};
  r.compat = !noCompat;
  if (r.help || r.version) return r;
  if (!from.empty()) {
    r.from = FormatFromOption(from);
    if (!r.from)
      throw UsageError{"unknown format '" + from + "' (use thingy, hexposure, mojihyo or tfs)"};
  } else if (app.count("--from") > 0) {
    throw UsageError{"option --from needs a format"};
  }
  if (r.tables.empty()) throw UsageError{"no TABLE given"};
  for (const std::string& table : r.tables) {
    const std::optional<TableFormat> format = r.from ? r.from : CheckedFormatOf(table);
    if (!format)
      throw UsageError{"cannot tell the format of '" + table +
                       "' from its name; give --from thingy, hexposure, mojihyo or tfs"};
    r.formats.push_back(*format);
  }
  return r;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             std::ostream& err) {
  Request r;
  try {
    r = ParseArguments(args);
  } catch (const UsageError& e) {
    return ReportUsageError(err, kProgram, e.message, kUsage);
  }
  if (AnswerHelpOrVersion(out, r.help, r.version, kProgram, kUsage, kHelp)) return 0;

  // Every file is read first: a table switch may name a table of another.
  std::vector<std::optional<std::string>> files;
  CheckOptions options;
  options.compatibility = r.compat;
  bool unreadable = false;
  for (std::size_t k = 0; k < r.tables.size(); ++k) {
    const std::string& path = r.tables[k];
    std::string bytes;
    FileResult res;
    try {
      res = path == "-" ? ReadStandardInput(in, bytes) : ReadFileBytes(path, bytes);
    } catch (const std::bad_alloc&) {
      res = {"not enough memory"};
    }
    if (!res.ok()) {
      err << kProgram << ": cannot read " << (path == "-" ? "standard input" : "'" + path + "'") << ": "
          << res.error << "\n";
      unreadable = true;
      files.emplace_back();
      continue;
    }
    AddLoadedTables(r.formats[k], bytes, options);
    files.emplace_back(std::move(bytes));
  }

  bool errors = false;
  for (std::size_t k = 0; k < r.tables.size(); ++k) {
    if (!files[k]) continue;
    for (const Finding& f : CheckTableFile(r.formats[k], *files[k], options)) {
      errors = errors || f.severity == Severity::Error;
      out << r.tables[k] << ":" << f.line << ": " << SeverityName(f.severity) << ": " << f.message
          << "\n";
    }
  }
  out.flush();
  if (unreadable) return 2;
  return errors ? 1 : 0;
}

}  // namespace mojihyo
