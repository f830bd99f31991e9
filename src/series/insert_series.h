#pragma once

#include "core/font_table.h"
#include "series/series_catalogue.h"

#include <string_view>

namespace mojihyo {

// Writes element k of `series` into cell start + k, through the change rule.
// A locked cell keeps its text and its element is dropped, not shifted; the
// run stops after cell FFh. With `upperCase` a-z become A-Z.
void InsertSeries(FontTable& table, int start, const SeriesTable& series, bool upperCase);

// The count typed into the Repeated Value dialog: a trailing lower-case "h"
// marks hex, anything else is decimal (rounded half to even); unreadable
// text is 0. A count too large for a 16-bit signed number is taken as the
// largest one, which reaches past FFh like any large count.
int ParseRepetitions(std::string_view text);

// Writes `value` into `count` cells from `start`, locked ones too, stopping
// after FFh. A count of 0 or less writes nothing.
void InsertRepeated(FontTable& table, int start, int count, std::string_view value);

}  // namespace mojihyo
