#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace mojihyo {

// The outcome of a file operation: empty `error` on success, otherwise the
// system's reason ("No such file or directory").
struct FileResult {
  std::string error;
  bool ok() const { return error.empty(); }
};

// The largest file the program reads. Real tables are far smaller; a larger
// file is no table, and reading it could take all the memory there is.
inline constexpr std::size_t kMaxReadBytes = std::size_t{1} << 30;

// The reason given for a file over `limit` bytes: "larger than 1 GiB, the
// most this program reads".
FileResult TooLarge(std::size_t limit = kMaxReadBytes);

// Reads a whole file, byte for byte. A file of more than `limit` bytes is
// refused, unread when its size is known beforehand. Opening never waits:
// a named pipe with no writer reads as empty. Memory running out throws
// std::bad_alloc.
FileResult ReadFileBytes(const std::string& path, std::string& bytes,
                         std::size_t limit = kMaxReadBytes);

// Where a writer hands the bytes of a file, piece by piece, so that a large
// file never has to be held whole in memory.
class ByteSink {
public:
  virtual ~ByteSink() = default;
  virtual void Write(std::string_view bytes) = 0;
  // About this many more bytes will follow; a sink may make room for them.
  virtual void Reserve(std::size_t /*bytes*/) {}
};

// Writes a file's bytes into the sink; a failure it returns abandons the
// file.
using ByteProducer = std::function<FileResult(ByteSink& sink)>;

// How the new bytes wait for their name. Unnamed: in a file that has no name
// until it is complete, so a killed program leaves nothing behind; where the
// file system cannot make one, the named method is used instead. Named: in a
// temporary file beside the target ("name.XXXXXX").
enum class TemporaryFile { Unnamed, Named };

// Replaces the file at `path` with `bytes`, or creates it. The bytes go to a
// temporary file in the target's folder first and take its place only once
// they are all on disk, so a failure never leaves a half-written table
// behind and never harms the file that was there. An existing file keeps
// its permissions. A symbolic link keeps pointing where it pointed: the
// file it names is written, and created when it does not exist yet.
FileResult WriteFileReplacing(const std::string& path, std::string_view bytes);

// The same with the bytes written as `produce` makes them.
FileResult WriteFileReplacingFrom(const std::string& path, const ByteProducer& produce,
                                  TemporaryFile method = TemporaryFile::Unnamed);

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
