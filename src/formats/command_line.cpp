#include "formats/command_line.h"

namespace mojihyo {

std::optional<StartupTable> ParseCommandLine(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.starts_with("T ")) return StartupTable{TableFormat::Thingy, std::string(text.substr(2))};
  if (text.starts_with("H "))
    return StartupTable{TableFormat::Hexposure, std::string(text.substr(2))};
  if (text.starts_with("S ")) return StartupTable{TableFormat::Tfs, std::string(text.substr(2))};
  return StartupTable{TableFormat::MoJiHyo, std::string(text)};
}

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions o;
  if (arguments.empty()) return o;
  const std::string& first = arguments.front();
  o.help = first == "--help" || first == "-h";
  o.version = first == "--version";
  if (first == "--") {
    o.optionsEnded = true;
    o.tableWords.assign(arguments.begin() + 1, arguments.end());
  }
  return o;
}

std::string OpenDialogTitle(TableFormat format) {
  return "Open " + std::string(FormatName(format)) + " Table File";
}

std::string OpenDialogFilter(TableFormat format) {
  if (format == TableFormat::MoJiHyo) return "MoJiHyo table files (*.tab)|*.tab";
  if (format == TableFormat::Tfs) return "TFS tables (*.tbl)|*.tbl";
  return std::string(FormatName(format)) + " table files (*.tbl)|*.tbl";
}

std::string SaveDialogTitle(TableFormat format) {
  return "Save " + std::string(FormatName(format)) + " Table File";
}

std::string SaveDialogFilter(TableFormat format) { return OpenDialogFilter(format); }

}  // namespace mojihyo
