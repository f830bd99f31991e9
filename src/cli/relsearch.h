#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mojihyo {

// mojihyo-relsearch apart from the process: `args` are the arguments after
// the program's name. Writes one line per match to `out` ("0x1F40", a tab,
// "0x41") and messages to `err`; returns the exit code: 0 searched (found
// or not), 1 the file could not be read (or `out` written), 2 a usage
// error.
int RunRelativeSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mojihyo
