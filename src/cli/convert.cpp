#include "cli/convert.h"

#include "cli/cli_common.h"
#include "core/file_io.h"
#include "core/lines.h"
#include "formats/drop_report.h"
#include "formats/not_saved_report.h"
#include "formats/table_file.h"
#include "formats/table_format.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>

namespace mojihyo {

namespace {

constexpr std::string_view kProgram = "mojihyo-convert";

constexpr std::string_view kUsage =
    "Usage: mojihyo-convert [--from FORMAT] [--to FORMAT] [--strict] INPUT OUTPUT\n";

constexpr std::string_view kHelp =
    "Converts a font table between the Thingy (.tbl), Hexposure (.tbl),\n"
    "MoJiHyo (.tab) and TFS (.tbl) formats, with the same readers and writers\n"
    "as the editor.\n"
    "\n"
    "  --from FORMAT  format of INPUT: thingy, hexposure, mojihyo or tfs\n"
    "  --to FORMAT    format of OUTPUT: thingy, hexposure, mojihyo or tfs\n"
    "  --strict       write nothing when OUTPUT would not keep all of INPUT\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Without --from or --to a format follows the file's extension: .tab is\n"
    "mojihyo, .tbl is thingy. Give - as INPUT or OUTPUT for standard input or\n"
    "standard output. Lines of INPUT that OUTPUT will not keep are listed on\n"
    "standard error (up to 20, then their number), and so are the settings\n"
    "the output format cannot keep.\n"
    "\n"
    "A UTF-16 table (with or without a byte-order mark) is read as UTF-8; it\n"
    "is written back as UTF-16 when OUTPUT is in the same format, and as UTF-8\n"
    "otherwise. Inputs larger than 1 GiB are refused.\n"
    "\n"
    "Exit status: 0 converted, 1 a file could not be read or written,\n"
    "2 the command line was not understood, 3 --strict and something would\n"
    "not be kept (nothing was written).\n";

// Lines listed one by one before the summary.

struct UsageError {
  std::string message;
};

struct Request {
  std::optional<TableFormat> from, to;
  std::string input, output;
  bool help = false, version = false, strict = false;
};

Request ParseArguments(const std::vector<std::string>& args) {
  Request r;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a == "-" || !a.starts_with("-")) {
      positional.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--help" || a == "-h") {
      r.help = true;
    } else if (a == "--version") {
      r.version = true;
    } else if (a == "--strict") {
      r.strict = true;
    } else if (a.starts_with("--from") || a.starts_with("--to")) {
      const bool isFrom = a.starts_with("--from");
      const std::string name = isFrom ? "--from" : "--to";
      std::string value;
      if (a == name) {
        if (i + 1 >= args.size()) throw UsageError{"option " + name + " needs a format"};
        value = args[++i];
      } else if (a.starts_with(name + "=")) {
        value = a.substr(name.size() + 1);
      } else {
        throw UsageError{"unknown option '" + a + "'"};
      }
      auto format = FormatFromOption(value);
      if (!format)
        throw UsageError{"unknown format '" + value + "' (use thingy, hexposure, mojihyo or tfs)"};
      (isFrom ? r.from : r.to) = format;
    } else {
      throw UsageError{"unknown option '" + a + "'"};
    }
  }
  if (r.help || r.version) return r;
  if (positional.size() != 2)
    throw UsageError{positional.size() < 2 ? "INPUT and OUTPUT are both needed"
                                           : "too many arguments"};
  r.input = positional[0];
  r.output = positional[1];
  if (!r.from) r.from = FormatFromExtension(r.input);
  if (!r.to) r.to = FormatFromExtension(r.output);
  if (!r.from)
    throw UsageError{"cannot tell the format of '" + r.input +
                     "' from its name; give --from thingy, hexposure, mojihyo or tfs"};
  if (!r.to)
    throw UsageError{"cannot tell the format of '" + r.output +
                     "' from its name; give --to thingy, hexposure, mojihyo or tfs"};
  return r;
}

std::string Describe(const std::string& path) {
  return path == "-" ? "standard input" : "'" + path + "'";
}

// Each line OUTPUT will not hold, up to a limit, then their number.
void ReportDroppedLines(const Request& r, const DropReport& report, std::ostream& err) {
  if (report.dropped.empty()) return;
  for (std::size_t k = 0; k < report.dropped.size() && k < kDroppedLinesShown; ++k) {
    const DroppedLine& line = report.dropped[k];
    err << r.input << ":" << line.number << ": not kept: " << line.text << "\n";
  }
  err << report.dropped.size() << " of " << report.nonBlankLines << " non-blank lines of "
      << r.input << " are not kept in the " << FormatName(*r.to) << " format\n";
}

void ReportNotSaved(const std::vector<std::string>& items, TableFormat to, std::ostream& err) {
  if (items.empty()) return;
  err << "Not saved in the " << FormatName(to) << " format:\n";
  for (const auto& item : items) err << item << "\n";
}

// The table is written to standard output as it is made.
class StreamSink : public ByteSink {
public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void Write(std::string_view bytes) override {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

private:
  std::ostream& out_;
};

OpenResult ReadInput(const Request& r, std::istream& in, FontTable& table) {
  if (r.input != "-") return OpenTableFile(*r.from, r.input, table, {}, r.to);
  std::string bytes;
  try {
    if (FileResult res = ReadStandardInput(in, bytes); !res.ok()) return {res.error};
  } catch (const std::bad_alloc&) {
    return {std::string(kOutOfMemory), true};
  }
  return OpenTableText(*r.from, std::move(bytes), table, r.to);
}

}  // namespace

int RunConvert(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  Request r;
  try {
    r = ParseArguments(args);
  } catch (const UsageError& e) {
    return ReportUsageError(err, kProgram, e.message, kUsage);
  }
  if (AnswerHelpOrVersion(out, r.help, r.version, kProgram, kUsage, kHelp)) return 0;

  FontTable table;
  const OpenResult opened = ReadInput(r, in, table);
  if (!opened.ok()) {
    if (opened.outOfMemory) {
      err << kProgram << ": not enough memory to read " << Describe(r.input) << "\n";
    } else {
      err << kProgram << ": cannot read " << Describe(r.input) << ": " << opened.error << "\n";
    }
    return 1;
  }
  const DropReport& dropped = opened.dropped;
  const auto items = NotSavedItems(table, *r.to);
  ReportDroppedLines(r, dropped, err);
  if (r.strict && (!dropped.dropped.empty() || !items.empty())) {
    ReportNotSaved(items, *r.to, err);
    err << kProgram << ": nothing written: --strict and not everything would be kept\n";
    return 3;
  }
  KeepTextFormFor(table, *r.from, *r.to);

  if (r.output == "-") {
    StreamSink sink(out);
    const FileResult written = WriteTableFile(*r.to, table, sink);
    out.flush();
    if (!written.ok() || !out) {
      err << kProgram << ": cannot write standard output"
          << (written.ok() ? std::string() : ": " + written.error) << "\n";
      return 1;
    }
  } else if (FileResult res = SaveTableFile(*r.to, table, r.output); !res.ok()) {
    err << kProgram << ": cannot write '" << r.output << "': " << res.error << "\n";
    return 1;
  }

  ReportNotSaved(items, *r.to, err);
  return 0;
}

}  // namespace mojihyo
