#pragma once

// The one place where document bytes become on-screen text and back.

#include <QString>

#include <string>
#include <string_view>

namespace mojihyo::ui {

// Each byte shows as the character of the same number (00h-FFh), so every
// byte value, NUL included, survives the trip to the screen and back.
QString ToDisplay(std::string_view bytes);

// The bytes of on-screen text: characters 00h-FFh become that byte. A
// character beyond FFh (typed through an input method, say) cannot be one
// byte; it is kept as its UTF-8 bytes rather than lost.
std::string FromDisplay(const QString& text);

// File paths as the document stores them (the system's own encoding of
// file names) and as the screen shows them.
QString PathToDisplay(const std::string& path);
std::string PathFromDisplay(const QString& path);

}  // namespace mojihyo::ui
