#pragma once

#include <string>
#include <string_view>

namespace mojihyo {

// The outcome of a file operation: empty `error` on success, otherwise the
// system's reason ("No such file or directory").
struct FileResult {
  std::string error;
  bool ok() const { return error.empty(); }
};

// Reads a whole file, byte for byte.
FileResult ReadFileBytes(const std::string& path, std::string& bytes);

// Replaces the file at `path` with `bytes`, or creates it. The bytes go to a
// temporary file beside the target first and take its place only once they
// are all on disk, so a failure never leaves a half-written table behind
// and never harms the file that was there. An existing file keeps its
// permissions; a symbolic link keeps pointing at the file it named.
FileResult WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace mojihyo
