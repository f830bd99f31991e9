#pragma once

// Helpers for the format tests: a table read from file text, and the file
// text a writer produces.

#include <string>
#include <string_view>

#include "core/font_table.h"
#include "core/lines.h"
#include "formats/table_format.h"

namespace mojihyo::testing {

inline FontTable Read(TableFormat format, std::string_view fileText) {
  FontTable t;
  LoadTableBytes(format, fileText, t);
  return t;
}

inline std::string Write(TableFormat format, const FontTable& t) {
  return SaveTableBytes(format, t);
}

// A table filled through the change rule, as a user would have.
inline void Put(FontTable& t, int index, std::string_view text) { SetEntryText(t, index, text); }

}  // namespace mojihyo::testing
