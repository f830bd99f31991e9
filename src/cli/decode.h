#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mojihyo {

// mojihyo-decode apart from the process: `args` are the arguments after
// the program's name. Writes the decoded text to `out` and messages to
// `err`; returns the exit code: 0 decoded, 1 a file could not be read (or
// `out` written), 2 a usage error.
int RunDecode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mojihyo
