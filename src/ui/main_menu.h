#pragma once

class QMenuBar;

namespace mojihyo::ui {

// Fills `bar` with the editor's menus. Every menu, submenu, item and
// separator carries its name as its object name, so commands are connected
// (and tests find them) by name.
void BuildMainMenu(QMenuBar* bar);

}  // namespace mojihyo::ui
