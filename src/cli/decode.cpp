#include "cli/decode.h"

#include "cli/cli_common.h"
#include "core/file_io.h"
#include "core/hex_notation.h"
#include "core/text_form.h"
#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "tools/decoder.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

namespace mojihyo {

namespace {

constexpr std::string_view kProgram = "mojihyo-decode";

constexpr std::string_view kUsage =
    "Usage: mojihyo-decode [--from FORMAT] [--table ID] TABLE FILE [--offset N] [--length N]\n";

constexpr std::string_view kHelp =
    "Decodes the bytes of FILE (a ROM) through the font table TABLE and writes\n"
    "the text to standard output, with nothing added.\n"
    "\n"
    "  --from FORMAT  format of TABLE: thingy, hexposure, mojihyo or tfs\n"
    "  --table ID     the logical table of a TFS table to start in (its @ID);\n"
    "                 the first one without it\n"
    "  --offset N     the first byte to decode (default 0)\n"
    "  --length N     how many bytes to decode (default: to the end of FILE)\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "N is decimal, or hexadecimal after 0x. Without --from the format follows\n"
    "TABLE's extension: .tab is mojihyo, .tbl is thingy. At each byte the\n"
    "longest key of the table wins; a byte no key matches is written [$XX].\n"
    "End tokens and newline entries write their label and a line end (LF);\n"
    "control codes write their label and parameters; table switches change\n"
    "the table. The three older formats use their entries, 16-bit entries and\n"
    "Line Break and String Break values.\n"
    "\n"
    "Exit status: 0 decoded, 1 a file could not be read (or the output\n"
    "written), 2 the command line was not understood.\n";

struct Request {
  // Each option as given; an empty value is given too, and not understood.
  std::optional<std::string> from, table, offset, length;
  std::vector<std::string> files;
  bool help = false, version = false;
};

// Returns a message when the command line is not understood.
std::string Parse(const std::vector<std::string>& args, Request& r) {
  CLI::App app;
  app.set_help_flag();
  app.add_flag("--help,-h", r.help);
  app.add_flag("--version", r.version);
  std::string from, table, offset, length;
  app.add_option("--from", from);
  app.add_option("--table", table);
  app.add_option("--offset", offset);
  app.add_option("--length", length);
  app.add_option("files", r.files);
  std::string message = ParseCommandLine(app, args);
  if (app.count("--from")) r.from = from;
  if (app.count("--table")) r.table = table;
  if (app.count("--offset")) r.offset = offset;
  if (app.count("--length")) r.length = length;
  return message;
}

std::string Hex(std::uint64_t n) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kDigits[n % 16]);
    n /= 16;
  } while (n > 0);
  return "0x" + s;
}

}  // namespace

int RunDecode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Request r;
  if (std::string message = Parse(args, r); !message.empty())
    return ReportUsageError(err, kProgram, message, kUsage);
  if (AnswerHelpOrVersion(out, r.help, r.version, kProgram, kUsage, kHelp)) return 0;
  auto usage = [&](const std::string& message) { return ReportUsageError(err, kProgram, message, kUsage); };
  if (r.files.size() != 2)
    return usage(r.files.size() < 2 ? "TABLE and FILE are both needed" : "too many arguments");
  const std::string& tablePath = r.files[0];
  const std::string& filePath = r.files[1];

  std::optional<TableFormat> format = r.from ? FormatFromOption(*r.from) : FormatFromExtension(tablePath);
  if (r.from && !format)
    return usage("unknown format '" + *r.from + "' (use thingy, hexposure, mojihyo or tfs)");
  if (!format)
    return usage("cannot tell the format of '" + tablePath +
                 "' from its name; give --from thingy, hexposure, mojihyo or tfs");
  if (r.table && format != TableFormat::Tfs) return usage("--table needs a TFS table (--from tfs)");
  std::optional<std::uint64_t> offset = r.offset ? ReadOffsetNumber(*r.offset) : 0;
  std::optional<std::uint64_t> length = r.length ? ReadOffsetNumber(*r.length) : std::nullopt;
  if (!offset) return usage("--offset takes a number, decimal or 0x hex: '" + *r.offset + "'");
  if (r.length && !length) return usage("--length takes a number, decimal or 0x hex: '" + *r.length + "'");

  std::string tableBytes;
  if (FileResult res = ReadFileBytes(tablePath, tableBytes); !res.ok()) {
    err << kProgram << ": cannot read '" << tablePath << "': " << res.error << "\n";
    return 1;
  }
  // A table saved as UTF-16 is read through UTF-8, as the editor reads it.
  if (const TextForm form = DetectTextForm(tableBytes); IsUtf16(form)) {
    std::string utf8;
    if (FileResult res = DecodeUtf16(tableBytes, form, utf8); !res.ok()) {
      err << kProgram << ": cannot read '" << tablePath << "': " << res.error << "\n";
      return 1;
    }
    tableBytes = std::move(utf8);
  }
  Decoder decoder;
  if (format == TableFormat::Tfs) {
    // Read as a document only: the fields an editor shows are not needed.
    const TfsDocument doc(std::move(tableBytes));
    std::size_t start = 0;
    if (r.table) {
      const auto& tables = doc.tables();
      while (start < tables.size() && (!tables[start].named || doc.tableId(start) != *r.table)) ++start;
      if (start == tables.size()) return usage("'" + tablePath + "' has no table @" + *r.table);
    }
    decoder = Decoder::FromTfs(doc, start);
  } else {
    FontTable table;
    LoadOwnedTableBytes(*format, std::move(tableBytes), table);
    decoder = Decoder::FromFontTable(table);
  }

  MappedFile file;
  if (FileResult res = file.Open(filePath, true); !res.ok()) {
    err << kProgram << ": cannot read '" << filePath << "': " << res.error << "\n";
    return 1;
  }
  const std::string_view bytes = file.bytes();
  if (*offset > bytes.size())
    return usage("--offset " + Hex(*offset) + " is past the end of '" + filePath + "' (" +
                 std::to_string(bytes.size()) + " bytes)");
  const std::string_view range =
      bytes.substr(static_cast<std::size_t>(*offset),
                   static_cast<std::size_t>(std::min<std::uint64_t>(length.value_or(bytes.size()), bytes.size())));
  const bool written = decoder.Stream(range, [&](std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
  });
  out.flush();
  if (!written || !out) {
    err << kProgram << ": cannot write standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace mojihyo
