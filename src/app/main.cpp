#include "ui/app_style.h"
#include "ui/fonts.h"

#include "formats/command_line.h"
#include "ui/frm_main.h"
#include "ui/window_icon.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kHelp[] =
    "Usage: mojihyo [TABLE.tab]\n"
    "       mojihyo T TABLE.tbl      (a Thingy table)\n"
    "       mojihyo H TABLE.tbl      (a Hexposure table)\n"
    "       mojihyo S TABLE.tbl      (a TFS table, kept whole)\n"
    "       mojihyo -- TEXT          (TEXT is read as above, even if it starts with -)\n"
    "\n"
    "Edits the font tables that map the byte values of a game's text to\n"
    "characters. The arguments are read as one text, joined by single spaces:\n"
    "\"T \" and a path opens a Thingy table, \"H \" and a path a Hexposure table,\n"
    "\"S \" and a path a TFS table; any other text is the path of a MoJiHyo\n"
    "table. The table opens only if the file exists.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Options of the Qt toolkit (such as -platform NAME or -style NAME) are\n"
    "taken by the toolkit before the table is looked for.\n"
    "\n"
    "Settings (recent tables, window place, font size, display encoding for\n"
    "new tables) are kept in $XDG_CONFIG_HOME/MoJiHyo/MoJiHyo.ini.\n"
    "\n"
    "Exit status: 0 when the window was closed.\n";

}  // namespace

int main(int argc, char** argv) {
  // --help and --version answer without a display.
  const mojihyo::ProgramOptions options =
      mojihyo::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("mojihyo %s\n", MOJIHYO_VERSION);
    return 0;
  }

  mojihyo::ui::FontConfigWarmUp fonts;
  QApplication app(argc, argv);
  fonts.Wait();
  QApplication::setApplicationName(QStringLiteral("MoJiHyo"));
  QApplication::setApplicationVersion(QStringLiteral(MOJIHYO_VERSION));
  // Ties the window to the installed menu entry, so that docks and task
  // bars show it under its own name; the same picture is built in.
  QApplication::setDesktopFileName(QStringLiteral(MOJIHYO_APP_ID));
  mojihyo::ui::UseAppStyle();
  mojihyo::ui::InstallFontSubstitutes();
  // The table's text: the words after "--" as given, or else the words the
  // toolkit left once it took its own options.
  QStringList words;
  if (options.optionsEnded) {
    for (const std::string& w : options.tableWords) words << QString::fromLocal8Bit(w.c_str());
  } else {
    words = QApplication::arguments();
    words.removeFirst();
  }
  const QString commandLine = mojihyo::ui::frmMain::CommandLineText(words);
  // Reading the icon's pictures and sending them to the display take a few
  // milliseconds: the window is given its icon once it is up and its cells
  // are made (desktops show the installed icon of the menu entry). A table
  // named on the command line may bring a message first: then it comes
  // first.
  const QString appId = QStringLiteral(MOJIHYO_APP_ID);
  const auto giveIcon = [appId] { QApplication::setWindowIcon(mojihyo::ui::BuiltInIcon(appId)); };
  const bool iconFirst = !commandLine.isEmpty();
  if (iconFirst) giveIcon();
  // The font list is read aside while the window is built.
  fonts.ReadFontListAside();
  mojihyo::ui::frmMain window(commandLine);
  fonts.Wait();
  if (!iconFirst) {
    if (window.cellsMade())
      giveIcon();
    else
      QObject::connect(&window, &mojihyo::ui::frmMain::cellsReady, &window, giveIcon);
  }
  window.show();
  return QApplication::exec();
}
