#include "cli/cli_common.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>
#include <string>

namespace mojihyo {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

std::optional<TableFormat> FormatFromOption(std::string_view value) {
  const std::string v = Lower(value);
  if (v == "thingy") return TableFormat::Thingy;
  if (v == "hexposure") return TableFormat::Hexposure;
  if (v == "mojihyo") return TableFormat::MoJiHyo;
  if (v == "tfs") return TableFormat::Tfs;
  return std::nullopt;
}

std::optional<TableFormat> FormatFromExtension(std::string_view path) {
  std::size_t slash = path.find_last_of('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string ext = Lower(name.substr(dot));
  if (ext == ".tab") return TableFormat::MoJiHyo;
  if (ext == ".tbl") return TableFormat::Thingy;
  return std::nullopt;
}

std::string ParseCommandLine(CLI::App& app, const std::vector<std::string>& args) {
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    return e.what();
  }
  return {};
}

int ReportUsageError(std::ostream& err, std::string_view program, std::string_view message,
               std::string_view usage) {
  err << program << ": " << message << "\n"
      << usage << "Try '" << program << " --help' for more information.\n";
  return 2;
}

bool AnswerHelpOrVersion(std::ostream& out, bool help, bool version, std::string_view program,
                         std::string_view usage, std::string_view helpText) {
  if (help)
    out << usage << helpText;
  else if (version)
    out << program << " " << MOJIHYO_VERSION << "\n";
  return help || version;
}

FileResult ReadStandardInput(std::istream& in, std::string& bytes) {
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const auto n = static_cast<std::size_t>(in.gcount());
    if (n > kMaxReadBytes - bytes.size()) return TooLarge();
    bytes.append(buffer, n);
  }
  return in.bad() ? FileResult{"Input/output error"} : FileResult{};
}

}  // namespace mojihyo
