#include "cli/relsearch.h"

#include "cli/cli_common.h"
#include "core/file_io.h"
#include "tools/relative_search.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <string_view>

namespace mojihyo {

namespace {

constexpr std::string_view kProgram = "mojihyo-relsearch";

constexpr std::string_view kUsage = "Usage: mojihyo-relsearch FILE WORD [--width 1|2] [--little-endian]\n";

constexpr std::string_view kHelp =
    "Searches FILE (a ROM) for WORD by the differences between its letters,\n"
    "to find where the game keeps its alphabet. Writes one line per match, in\n"
    "ascending offset order: the offset, a tab, and the value of the\n"
    "alphabet's first character there (a, A, 0, \xE3\x81\x82 or \xE3\x82\xA2),\n"
    "both in hexadecimal after 0x.\n"
    "\n"
    "  --width 1|2      bytes per character (default 1)\n"
    "  --little-endian  two-byte values with the low byte first (default:\n"
    "                   high byte first); only with --width 2\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "WORD is written in one alphabet: a-z, A-Z, 0-9, or basic hiragana or\n"
    "katakana in the order of the editor's Insert menu (a i u e o ... wo n),\n"
    "and holds at least two different characters. Every byte offset is\n"
    "tried.\n"
    "\n"
    "Exit status: 0 searched (whether or not anything was found), 1 FILE\n"
    "could not be read (or the output written), 2 the command line was not\n"
    "understood.\n";

struct Request {
  std::optional<std::string> width;  // as given, empty too
  std::vector<std::string> positional;
  bool littleEndian = false, help = false, version = false;
};

std::string Parse(const std::vector<std::string>& args, Request& r) {
  CLI::App app;
  app.set_help_flag();
  app.add_flag("--help,-h", r.help);
  app.add_flag("--version", r.version);
  std::string width;
  app.add_option("--width", width);
  app.add_flag("--little-endian", r.littleEndian);
  app.add_option("arguments", r.positional);
  std::string message = ParseCommandLine(app, args);
  if (app.count("--width")) r.width = width;
  return message;
}

char* PutHex(char* w, std::uint64_t n) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  *w++ = '0';
  *w++ = 'x';
  int shift = 60;
  while (shift > 0 && (n >> shift) == 0) shift -= 4;
  for (; shift >= 0; shift -= 4) *w++ = kDigits[(n >> shift) & 0xF];
  return w;
}

}  // namespace

int RunRelativeSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Request r;
  if (std::string message = Parse(args, r); !message.empty())
    return ReportUsageError(err, kProgram, message, kUsage);
  if (AnswerHelpOrVersion(out, r.help, r.version, kProgram, kUsage, kHelp)) return 0;
  auto usage = [&](const std::string& message) { return ReportUsageError(err, kProgram, message, kUsage); };
  if (r.positional.size() != 2)
    return usage(r.positional.size() < 2 ? "FILE and WORD are both needed" : "too many arguments");
  if (r.width && r.width != "1" && r.width != "2") return usage("--width is 1 or 2, not '" + *r.width + "'");
  const int width = r.width == "2" ? 2 : 1;
  if (r.littleEndian && width != 2) return usage("--little-endian needs --width 2");
  const WordReading word = ReadRelativeWord(r.positional[1]);
  if (!word.word) return usage(word.error);

  MappedFile file;
  if (FileResult res = file.Open(r.positional[0], true); !res.ok()) {
    err << kProgram << ": cannot read '" << r.positional[0] << "': " << res.error << "\n";
    return 1;
  }
  const std::vector<RelativeMatch> matches = RelativeSearch(
      file.bytes(), *word.word, width, r.littleEndian ? ByteOrder::LittleEndian : ByteOrder::BigEndian);
  std::string lines;
  lines.reserve(matches.size() * 16);
  char line[48];
  for (const RelativeMatch& m : matches) {
    char* w = PutHex(line, m.offset);
    *w++ = '\t';
    w = PutHex(w, m.base);
    *w++ = '\n';
    lines.append(line, static_cast<std::size_t>(w - line));
  }
  out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  out.flush();
  if (!out) {
    err << kProgram << ": cannot write standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace mojihyo
