#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mojihyo {

// The converter's whole behaviour, apart from the process: `args` are the
// arguments after the program name; "-" reads `in` or writes `out`.
// Returns the exit code: 0 done, 1 a file could not be read or written,
// 2 a usage error, 3 nothing written because --strict was given and the
// output would not keep everything.
int RunConvert(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace mojihyo
