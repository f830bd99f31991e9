#pragma once

namespace mojihyo::ui {

// The window asks for Tahoma, Arial, Times New Roman and Impact. Where they
// are not installed (Linux), the closest fonts that are stand in for them.
void InstallFontSubstitutes();

}  // namespace mojihyo::ui
