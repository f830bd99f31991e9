#pragma once

#include "core/font_table.h"
#include "formats/table_format.h"

#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// The settings of `table` that a file in `format` cannot keep, in the order
// the save report lists them. Empty for the MoJiHyo format.
std::vector<std::string> NotSavedItems(const FontTable& table, TableFormat format);

// The text of the save report for those items, lines separated by single
// carriage returns.
std::string NotSavedMessage(TableFormat format, const std::vector<std::string>& items);

}  // namespace mojihyo
