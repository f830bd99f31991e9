#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mojihyo {

// The table check's whole behaviour, apart from the process: `args` are the
// arguments after the program name; "-" reads `in`. Findings go to `out`,
// what went wrong with the command or a file to `err`. Returns the exit
// code: 0 no errors found, 1 errors found, 2 a usage error or a file that
// could not be read.
int RunCheck(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             std::ostream& err);

}  // namespace mojihyo
