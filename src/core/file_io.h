#pragma once

#include <cstddef>
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

// A file's bytes, mapped into memory read-only so that a ROM of any size
// costs no copy; a file that cannot be mapped (a pipe) is read once
// instead. The bytes stay valid while the object lives. A mapped file that
// another program shortens meanwhile cannot be read past its new end.
class MappedFile {
public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // `readAhead` asks for every page at once, for a file read from start to
  // end; a file shown a window at a time is paged in as it is looked at.
  FileResult Open(const std::string& path, bool readAhead = false);

  std::string_view bytes() const;
  std::size_t size() const { return bytes().size(); }

private:
  void Close();

  void* map_ = nullptr;
  std::size_t mapped_ = 0;
  std::string read_;  // the bytes of a file that could not be mapped
};

}  // namespace mojihyo
